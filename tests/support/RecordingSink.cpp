#include "RecordingSink.h"

#include <algorithm>
#include <chrono>

CRecordingSink::CRecordingSink() { m_pPrevious = MessageSink::Install(this); }

CRecordingSink::~CRecordingSink() { MessageSink::Install(m_pPrevious); }

bool CRecordingSink::Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_posted.push_back({hWnd, msg, wParam, lParam});
    }
    m_cv.notify_all();
    return true;
}

LRESULT CRecordingSink::Send(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_sent.push_back({hWnd, msg, wParam, lParam});
    return 0;
}

std::vector<PostedMessage> CRecordingSink::Posted() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_posted;
}

std::vector<PostedMessage> CRecordingSink::Sent() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_sent;
}

int CRecordingSink::CountPosted(UINT msg) const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return int(std::count_if(m_posted.begin(), m_posted.end(), [msg](const PostedMessage& m) { return m.msg == msg; }));
}

bool CRecordingSink::WaitForPosted(UINT msg, int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lk(m_mutex);
    return m_cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] {
        return std::count_if(m_posted.begin(), m_posted.end(), [msg](const PostedMessage& m) { return m.msg == msg; }) >= count;
    });
}

void CRecordingSink::Clear()
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_posted.clear();
    m_sent.clear();
}
