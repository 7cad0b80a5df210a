// Shared by the scene, channel, scanner and text tests: a fresh scene object over freshly
// initialised images, hex helpers for frames, and a sink that records posted messages.
#pragma once

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CSendData.h"
#include "FixedField.h"
#include "Globals.h"
#include "Messages.h"
#include "RecordingSink.h"
#include "ModelUi.h"
#include "SceneImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace scene_test {

// "91 91 EE" -> bytes.
inline std::vector<BYTE> Hex(const std::string& text)
{
    std::vector<BYTE> out;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        out.push_back(BYTE(std::stoi(token, nullptr, 16)));
    return out;
}

inline std::string ToHex(const BYTE* p, int n)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (int i = 0; i < n; ++i) {
        if (i)
            s += ' ';
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

inline std::string FrameHex(const std::unique_ptr<CSendData>& frame)
{
    return frame ? ToHex(frame->GetData(), frame->GetLength()) : std::string("(null)");
}

// Record r of a block of the live image.
inline BYTE* LiveRecord(int type, int channel, int record)
{
    return g_Scene + BlockOffset(type, channel) + record * RECORD_SIZE;
}

inline std::string RecordHex(int type, int channel, int record)
{
    return ToHex(LiveRecord(type, channel, record), RECORD_SIZE);
}

inline const CString kPollHex = "91 91 91 EE A2 01 00 09 03 00 00 00 08 00 00 00 00 00 00 00 00 00 A1 AA";
inline const CString kCustomNameHex =
    "91 91 91 EE A1 01 00 09 00 00 00 00 10 00 43 75 73 74 6F 6D 00 00 00 00 00 00 00 00 00 00 8A AA";

// Fresh images and a fresh scene object built offline, the view's window standing in as a
// token, messages and boxes recorded. The live scene is already "Custom" and the view has
// seen it, so the scene-name rule is quiet until a test wakes it.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitAllData();
        g_bOnline = 0;
        g_bChinese = 0;
        g_bPendingSys5 = 0;
        g_bPendingSys2 = 0;
        g_bSendSceneName = 0;
        g_bSceneModified = 0;
        g_byCurScene = 0;
        scene = std::make_unique<CKTV_Data>();
        std::memcpy(g_Scene, "Custom", 6);
        g_strSceneNameBuf = g_strCustomName;
        g_hMainViewWnd = kView;
    }

    void TearDown() override
    {
        g_hMainViewWnd = nullptr;
        scene.reset();
        g_bOnline = 0;
        g_bChinese = 0;
        g_bSceneModified = 0;
        g_strSceneNameBuf.clear();
        for (int i = 0; i < LINK_CHANNELS; ++i)
            g_nLinkGroup[i] = i;
    }

    CKTV_OutData& Out(int i) { return *scene->GetOutData(i); }
    CMusic_InData& Music(int i) { return *scene->GetMusicData(i); }
    CMIC_InData& Mic() { return *scene->GetMicData(0); }
    CEffect_Data& Effect() { return *scene->GetEffectData(); }

    // The scanner's next frame as hex.
    std::string Next() { return FrameHex(scene->GetNextSendData()); }

    static inline HWND const kView = reinterpret_cast<HWND>(uintptr_t(0x5150));

    std::unique_ptr<CKTV_Data> scene;
    CRecordingSink sink;  // installed for the test's life
    CModelUiRecorder ui;

};

}  // namespace scene_test
