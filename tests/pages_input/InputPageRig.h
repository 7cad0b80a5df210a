// A live input page over a fresh scene, with a host that records what the page sends and does
// the view's equaliser reset on the model, and message boxes answered by the test.
#pragma once

#include "../controls/ControlTestKit.h"
#include "../pages/PageHostRecorder.h"
#include "CFilter.h"
#include "CInPutDlg.h"
#include "CKTV_Data.h"
#include "CMusic_InData.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SceneImage.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace input_test {

// The band frequencies the view's reset gives bands 0..14.
inline const int kResetHz[INPUT_LIVE_BANDS] = {20,   32,   53,   87,   143,  235,   386,  632,
                                               1035, 1696, 2778, 4551, 7455, 12210, 20000};

class RecordingHost : public PageHostRecorder {
public:
    explicit RecordingHost(CKTV_Data* scene) : m_pScene(scene) {}

    std::vector<int> mutedSends;    // SendInputChannelMuted inputs
    std::vector<int> resets;        // ResetInputEqFrequencies inputs

    void SendInputChannelMuted(int nCh, int) override { mutedSends.push_back(nCh); }
    void ResetInputEqFrequencies(int nCh) override
    {
        resets.push_back(nCh);
        CMusic_InData* m = m_pScene->GetMusicData(nCh);
        for (int n = 0; m && n < INPUT_LIVE_BANDS; ++n)
            m->GetFilter(n)->ResetBand(kResetHz[n]);
    }

private:
    CKTV_Data* m_pScene;
};

// The page made modeless over a scene built from fresh images; English, channel mode 3, AUX
// mode 0, input 0 shown, the equaliser unlocked. Boxes answer `answer` and are counted.
class InputPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        InitAllData();
        g_bChinese = 0;
        g_bOnline = 1;
        g_nShownInput = 0;
        g_nInputKind = 0;
        g_byInputSource = 0;
        g_bySysGroup8[1] = 0;
        g_bySysGroup8[2] = 3;
        g_bySysGroup8[3] = 0;
        g_bySysParams[2] = 0;
        g_pLevelPage = nullptr;
        m_oldBox = SetMessageBoxHandler([this](const CString& text, UINT, int selector) {
            boxes.push_back(text);
            selectors.push_back(selector);
            return answer;
        });
        scene = std::make_unique<CKTV_Data>();
        host = std::make_unique<RecordingHost>(scene.get());
        MakePage();
    }
    void TearDown() override
    {
        if (page && page->GetSafeHwnd())
            page->DestroyWindow();
        page.reset();
        SetMessageBoxHandler(m_oldBox);
    }
    void MakePage()
    {
        if (page && page->GetSafeHwnd())
            page->DestroyWindow();
        page = std::make_unique<CInPutDlg>();
        page->m_pView = host.get();
        page->AttachScene(scene.get());
        ASSERT_TRUE(page->Create(IDD_INPUT_PAGE));
        host->commands.clear();
    }
    void Click(UINT id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // Posted messages of the page and its bar run.
    static void Pump() { QApplication::processEvents(); }
    CMusic_InData& Music(int i) { return *scene->GetMusicData(i); }
    bool Visible(CWnd& w) { return w.GetSafeHwnd() && (w.GetStyle() & WS_VISIBLE); }

    std::unique_ptr<CKTV_Data> scene;
    std::unique_ptr<RecordingHost> host;
    std::unique_ptr<CInPutDlg> page;
    std::vector<CString> boxes;
    std::vector<int> selectors;
    int answer = IDYES;

private:
    MessageBoxHandler m_oldBox;
};

}  // namespace input_test
