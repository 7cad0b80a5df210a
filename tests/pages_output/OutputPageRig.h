// A live output page over a fresh scene on a top-level stage, loaded and shown as the view
// leaves it after start-up, with every change stamp cleared. The caller sets the globals the
// page reads (language, current output, link groups, speaker types) before Make.
#pragma once

#include "../controls/ControlTestKit.h"

#include "CKTV_Data.h"
#include "COutputDlg.h"
#include "SpeakerTypeMenus.h"

#include <gtest/gtest.h>

#include <memory>

struct OutputPageRig {
    CKTV_Data scene;
    CStage stage;
    std::unique_ptr<COutputDlg> page;

    // Use as ASSERT_TRUE(rig.Make()).
    bool Make()
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
        scene.ClearAllModified(0);
        Pump();
        return true;
    }
};
