#include "CKTVCommand.h"

#include "AppMessages.h"
#include "Globals.h"
#include "LinkGlobals.h"

#include <cstring>

CKTVCommand::CKTVCommand()
{
    std::memset(m_byRecvChunk, 0, sizeof(m_byRecvChunk));
    std::memset(m_byRecvFrame, 0, sizeof(m_byRecvFrame));
}

void CKTVCommand::SetNotifyWnd(HWND hWnd) { m_hNotifyWnd = hWnd; }

void CKTVCommand::AddSendData(std::unique_ptr<CSendData> data)
{
    if (!data)
        return;
    CSingleLock lock(g_csComm);
    m_queue.push_back(std::move(data));
}

int CKTVCommand::GetSendDataCount() const
{
    CSingleLock lock(g_csComm);
    return int(m_queue.size());
}

CSendData* CKTVCommand::GetCurSendData() const
{
    CSingleLock lock(g_csComm);
    return m_queue.empty() ? nullptr : m_queue.front().get();
}

void CKTVCommand::RemoveCurSendData()
{
    CSingleLock lock(g_csComm);
    if (m_queue.empty())
        return;
    m_queue.pop_front();
    g_nSendRetry = 0;
    ClearCommStatus();
    g_pSerialItem = nullptr;
}

void CKTVCommand::RemoveAllSendData()
{
    CSingleLock lock(g_csComm);
    m_queue.clear();
    // The serial link must not keep pointing at a deleted request.
    g_pSerialItem = nullptr;
    ResetRecv();
}

void CKTVCommand::RewindCurSendData()
{
    CSingleLock lock(g_csComm);
    if (!m_queue.empty())
        m_queue.front()->SetPos(0);
}

void CKTVCommand::MarkCurSendDataRejected()
{
    CSingleLock lock(g_csComm);
    if (!m_queue.empty())
        m_queue.front()->SetRejected(TRUE);
}

BOOL CKTVCommand::NotifyCurSendData(BOOL ok)
{
    CSingleLock lock(g_csComm);
    if (m_queue.empty() || !m_queue.front()->GetNotify())
        return FALSE;
    if (!ok)
        RemoveCurSendData();
    // Posted, never sent: the worker holds g_csComm and must not wait for the interface.
    PostMessage(m_hNotifyWnd, WM_WIFI_OP_RESULT, 0, ok ? 1 : 0);
    return TRUE;
}

BOOL CKTVCommand::IsLoaderApplyPending() const
{
    CSingleLock lock(g_csComm);
    if (m_queue.empty())
        return FALSE;
    const CSendData& head = *m_queue.front();
    return head.GetCommand() == 0x36 && head.GetRetry() < 2;
}

int CKTVCommand::GetCurCommandCode() const
{
    CSingleLock lock(g_csComm);
    return m_queue.empty() ? 0 : m_queue.front()->GetCommand();
}
