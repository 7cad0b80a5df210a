// A live output page over a fresh scene on a top-level stage, loaded and shown as the view
// leaves it after start-up, with every change stamp cleared: online, English, output 1 current,
// every output in a group of its own, host standing in for the view. Release puts the globals
// back.
#pragma once

#include "../controls/ControlTestKit.h"

#include "CKTV_Data.h"
#include "COutputDlg.h"
#include "CPageHost.h"
#include "Globals.h"
#include "SpeakerTypeMenus.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

struct OutputPageRig {
    CKTV_Data scene;
    CStage stage;
    std::unique_ptr<COutputDlg> page;

    // Use as ASSERT_TRUE(rig.Make(&host)). onShown runs once the page shows, before the stamps
    // are cleared.
    bool Make(CPageHost* host, const std::function<void()>& onShown = {})
    {
        g_bOnline = 1;
        g_nCurOutput = 0;
        g_bChinese = 0;
        g_pPageHost = host;
        for (int i = 0; i < 10; ++i)
            g_nLinkGroup[i] = i;
        return MakePage(onShown);
    }
    // The page alone, over the globals as the caller left them.
    bool MakePage(const std::function<void()>& onShown = {})
    {
        EnsureSharedGdiObjects();
        RegisterMenuResources();
        if (!stage.Make(0, 0, OUTPUT_PAGE_WIDTH, OUTPUT_PAGE_HEIGHT) || !Activate(stage))
            return false;
        page = std::make_unique<COutputDlg>();
        if (!page->CreatePage(&stage))
            return false;
        page->AttachScene(&scene);
        page->m_graph.KillTimer(CFStatic::kTimerId);
        page->LoadRoutingFromImage();
        page->SetLanguageTexts();
        page->ShowPage(SW_SHOW);
        if (onShown)
            onShown();
        scene.ClearAllModified(0);
        Pump();
        return true;
    }
    void Release()
    {
        page.reset();
        g_pPageHost = nullptr;
        for (int i = 0; i < 10; ++i)
            g_nLinkGroup[i] = i;
        g_bOnline = 0;
        g_nCurOutput = 0;
    }
};
