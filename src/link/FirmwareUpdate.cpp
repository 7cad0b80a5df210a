// CFirmwareUpdate: the update file, the opens in firmware mode and the order of the frames.
#include "FirmwareUpdate.h"

#include "AppMessages.h"
#include "CKTVCommand.h"
#include "CommWorker.h"
#include "CNet_Socket.h"
#include "FirmwarePackets.h"
#include "FirmwareState.h"
#include "FirmwareTexts.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkProgress.h"
#include "LinkState.h"
#include "ModelUi.h"
#include "UsbLink.h"

#include <algorithm>

int g_bDspImageLoaded = 0;
int g_bLoaderEntryPending = 0;
int g_nDspStage = 4;
int g_nMcuStage = 4;
DWORD g_dwDspAddress = 0;

CFirmwareUpdate::CFirmwareUpdate(CKTVCommand& command, CUsbLink& usb, CNet_Socket& net)
    : m_command(command), m_usb(usb), m_net(net)
{
}

BOOL CFirmwareUpdate::LoadUpdateFile()
{
    // Whatever the file holds, nothing of an earlier file may still be queued from here on.
    m_arrDspImage.clear();
    m_arrMcuImage.clear();
    m_nDspUsed = m_nMcuUsed = 0;
    g_bDspImageLoaded = 0;
    g_bMcuImageLoaded = 0;
    g_bLoaderEntryPending = 0;
    g_nDspStage = g_nMcuStage = 4;
    g_dwDspAddress = 0;
    m_nProgressCount = 0;

    CFirmwareFile file;
    const CFirmwareFile::EResult result = file.Load(g_strFirmwarePath);
    if (result != CFirmwareFile::EResult::Ok) {
        if (result == CFirmwareFile::EResult::CannotOpen)
            g_strFirmwarePath.clear();
        ModelUi::Get().MessageBoxOk(FirmwareText(g_strUpdateFileErrorCn, g_strUpdateFileErrorEn),
                                    g_bChinese ? -2 : -3);
        return FALSE;
    }

    g_bLoaderEntryPending = 1;
    g_bUpdateDone = 0;
    g_nDspStage = file.HasDspImage() ? 0 : 4;
    // With a DSP part first the apply step is sent once, before the DSP request.
    g_nMcuStage = !file.HasMcuImage() ? 4 : file.HasDspImage() ? 1 : 0;
    m_arrDspImage = file.GetDspImage();
    m_arrMcuImage = file.GetMcuImage();
    g_bDspImageLoaded = file.HasDspImage() ? 1 : 0;
    g_bMcuImageLoaded = file.HasMcuImage() ? 1 : 0;
    // A file without controller part closes its DSP part with a check over the DSP image.
    m_byMcuCheck = file.HasMcuImage() ? file.GetMcuCheck() : file.GetDspCheck();
    m_nProgressCount = file.GetProgressCount();
    g_nUpdateProgressTotal = m_nProgressCount + 6;
    return TRUE;
}

BOOL CFirmwareUpdate::OpenUsbForUpdate(const CString& path)
{
    if (!m_usb.IsUsbPathFree(path) || !m_usb.OpenUsbPath(path))
        return FALSE;
    m_command.RemoveAllSendData();
    g_nLinkType = 1;
    g_bUpdating = 1;
    if (m_startComm)
        m_startComm();
    return TRUE;
}

BOOL CFirmwareUpdate::OpenNetForUpdate()
{
    if (!m_net.m_bReachable.load() || !m_net.Connect())
        return FALSE;
    m_command.RemoveAllSendData();
    g_nLinkType = 2;
    g_bUpdating = 1;
    g_bNetOpen = 1;
    if (m_startComm)
        m_startComm();
    return TRUE;
}

void CFirmwareUpdate::EndUpdate()
{
    m_arrDspImage.clear();
    m_arrMcuImage.clear();
    m_nDspUsed = m_nMcuUsed = 0;
    g_bLoaderEntryPending = 0;
    g_nDspStage = g_nMcuStage = 4;
    g_bDspImageLoaded = 0;
    g_bMcuImageLoaded = 0;
    g_bUpdating = 0;
    m_nCurHexCmd = 0;
    ResetFirmwareStep();
}

// ---------------------------------------------------------------------------------------------
// Queue filling

void CFirmwareUpdate::QueueIndexed(std::unique_ptr<CSendData> item, int& index)
{
    item->SetIndex(++index);
    m_command.AddSendData(std::move(item));
}

void CFirmwareUpdate::QueueEnd(int index)
{
    std::unique_ptr<CSendData> end = BuildHexEndPacket(m_byMcuCheck);
    end->SetIndex(index);
    m_command.AddSendData(std::move(end));
}

void CFirmwareUpdate::QueueNextFirmwarePackets()
{
    CSingleLock lock(g_csComm);
    if (m_command.GetSendDataCount() != 0)
        return;
    if (g_bLoaderEntryPending) {
        QueueLoaderEntry();
        g_bLoaderEntryPending = 0;
    } else if (GetDspBytesLeft() > 0) {
        QueueDspImagePackets();
    } else if (GetMcuBytesLeft() > 0) {
        QueueMcuImagePackets();
    }
}

void CFirmwareUpdate::QueueLoaderEntry()
{
    // Index 0: the loader entry moves no bar.
    m_command.AddSendData(BuildLoaderEntryPacket());
}

void CFirmwareUpdate::QueueDspImagePackets()
{
    CSingleLock lock(g_csComm);
    int index = m_command.GetSendDataCount();
    if (g_nDspStage == 0) {
        QueueIndexed(BuildHexApplyPacket(), index);
        QueueIndexed(BuildDspRequestPacket(), index);
        g_nDspStage = 1;
    }
    if (g_nDspStage == 1) {
        const int left = GetDspBytesLeft();
        const int n = std::min(left, FW_DSP_BLOCK);
        if (n > 0) {
            QueueIndexed(BuildDspDataPacket(g_dwDspAddress, m_arrDspImage.data() + m_nDspUsed, n), index);
            m_nDspUsed += n;
            g_dwDspAddress += DWORD(n);
        }
        if (left <= FW_DSP_BLOCK)
            g_nDspStage = m_arrMcuImage.empty() ? 2 : 3;
    }
    if (g_nDspStage == 2) {
        QueueEnd(index);
        g_nDspStage = 4;
    }
}

void CFirmwareUpdate::QueueMcuImagePackets()
{
    CSingleLock lock(g_csComm);
    int index = m_command.GetSendDataCount();
    if (g_nMcuStage == 0) {
        QueueIndexed(BuildHexApplyPacket(), index);
        g_nMcuStage = 1;
    }
    if (g_nMcuStage == 1) {
        QueueIndexed(BuildMcuStartPacket(m_arrMcuImage.data() + m_nMcuUsed), index);
        m_nMcuUsed += FW_MCU_START_SIZE;
        g_nMcuStage = 2;
    }
    if (g_nMcuStage == 2) {
        const int left = GetMcuBytesLeft();
        const int n = std::min(left, FW_MCU_BLOCK);
        if (n > 0) {
            QueueIndexed(BuildMcuDataPacket(m_arrMcuImage.data() + m_nMcuUsed, n), index);
            m_nMcuUsed += n;
        }
        if (left <= FW_MCU_BLOCK)
            g_nMcuStage = 3;
    }
    if (g_nMcuStage == 3) {
        QueueEnd(index);
        g_nMcuStage = 4;
    }
}

// ---------------------------------------------------------------------------------------------
// Shared by both transports

CSendData* CFirmwareUpdate::TakeHeadForWrite(int maxAttemptsFor3A)
{
    if (m_command.GetSendDataCount() == 0)
        QueueNextFirmwarePackets();
    CSendData* head = m_command.GetCurSendData();
    if (!head)
        return nullptr;
    const int step = head->GetCommand();
    m_nCurHexCmd = step;
    g_nFirmwareStep = step;
    const int attempt = head->GetRetry() + 1;
    head->SetRetry(attempt);
    const int limit = step == FW_STEP_DSP_REQUEST ? maxAttemptsFor3A : HEX_MAX_ATTEMPTS;
    if (attempt > limit) {
        Fail();
        return nullptr;
    }
    // A new attempt: an earlier rejection no longer speaks for it.
    head->SetRejected(FALSE);
    return head;
}

BOOL CFirmwareUpdate::IsHeadRejected(int step) const
{
    CSingleLock lock(g_csComm);
    const CSendData* head = m_command.GetCurSendData();
    return head && head->GetCommand() == step && head->GetRejected();
}

void CFirmwareUpdate::Fail()
{
    g_hCommEvents[COMM_EVENT_SUSPEND].SetEvent();
    PostMessage(m_hNotifyWnd, WM_LINK_LOST, 0, 0);
}

void CFirmwareUpdate::ShowTip(const CString& cn, const CString& en)
{
    CSingleLock lock(g_csComm);
    if (g_pCurHexUpTip && !g_bAbortingUpdate)
        g_pCurHexUpTip->SetText(FirmwareText(cn, en));
}
