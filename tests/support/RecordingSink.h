// A message sink that records what the code under test posts and sends, for tests that have
// no window layer. Installs itself for its lifetime and puts the previous sink back after.
// Post may come from any thread; the thread that made the sink is the user-interface thread.
#pragma once

#include "Messages.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct PostedMessage {
    HWND hWnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class CRecordingSink : public IMessageSink {
public:
    CRecordingSink();
    ~CRecordingSink() override;
    CRecordingSink(const CRecordingSink&) = delete;
    CRecordingSink& operator=(const CRecordingSink&) = delete;

    bool Post(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT Send(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool IsUiThread() override { return std::this_thread::get_id() == m_uiThread; }

    std::vector<PostedMessage> Posted() const;
    std::vector<PostedMessage> Sent() const;
    // How often msg was posted.
    int CountPosted(UINT msg) const;
    // Waits until msg has been posted count times; false after timeoutMs real milliseconds.
    bool WaitForPosted(UINT msg, int count = 1, int timeoutMs = 10000) const;
    void Clear();

private:
    const std::thread::id m_uiThread = std::this_thread::get_id();
    IMessageSink* m_pPrevious = nullptr;
    mutable std::mutex m_mutex;  // guards both lists
    mutable std::condition_variable m_cv;
    std::vector<PostedMessage> m_posted;
    std::vector<PostedMessage> m_sent;
};
