// What the mixer and system tests share: a scene on line, a page host that records the system
// commands and answers the stereo pairs, a window that records what the page forwards to the
// view, and a pump for posted messages.
#pragma once

#include "CKTV_Data.h"
#include "../pages/PageHostRecorder.h"
#include "CWnd.h"
#include "Globals.h"
#include "ModelUi.h"
#include "SceneImage.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace mixtest {

inline void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A plain window that keeps every private message it receives.
class CRecorderWnd : public CWnd {
public:
    BOOL Make()
    {
        return CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER)
            m_got.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<Received> m_got;
};

class CFakeHost : public PageHostRecorder {
public:
    CWnd* GetHostWnd() override { return &m_wnd; }
    void SendCommand(int nCmd, int nScene) override
    {
        PageHostRecorder::SendCommand(nCmd, nScene);
        m_commands.push_back({nCmd, nScene});
    }
    BOOL IsStereoPair(int n) const override { return n >= 0 && n < 10 && m_pairs[n]; }

    CRecorderWnd m_wnd;
    int m_pairs[10] = {};
    std::vector<std::pair<int, int>> m_commands;
};

class MixRig : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitAllData();
        g_bChinese = 0;
        g_bOnline = 0;
        scene = std::make_unique<CKTV_Data>();
        host.m_wnd.Make();
        g_pPageHost = &host;
    }
    void TearDown() override
    {
        g_pPageHost = nullptr;
        scene.reset();
        g_bOnline = 0;
        g_bChinese = 0;
        for (int i = 0; i < LINK_CHANNELS; ++i)
            g_nLinkGroup[i] = i;
    }
    CKTV_OutData& Out(int i) { return *scene->GetOutData(i); }

    std::unique_ptr<CKTV_Data> scene;
    CFakeHost host;
    CModelUiRecorder ui;  // counts the message boxes
};

}  // namespace mixtest
