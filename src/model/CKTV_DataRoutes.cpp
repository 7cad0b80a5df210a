#include "CKTV_DataRoutes.h"

#include "SceneImage.h"

CKTV_MicRoute::CKTV_MicRoute() : CChannelArray<CMIC_InData>(1)
{
    CMIC_InData* mic = GetAt(0);
    mic->SetName("Mic 1");
    mic->SetChannelIndex(0);
    mic->SetHandleColor(RGB(255, 128, 51));
    mic->SetCurveColor(g_clrMicCurve[0]);
    mic->SetSpareFlag(0);
    mic->SetAllModified(0);
}

CKTV_MusicRoute::CKTV_MusicRoute() : CChannelArray<CMusic_InData>(MUSIC_CHANNELS)
{
    static const char* const kNames[MUSIC_CHANNELS] = {"Music 1", "Music 2", "Music 3",
                                                       "Music 4", "Music 5", "Music 6"};
    static const COLORREF kHandle[MUSIC_CHANNELS] = {RGB(0, 255, 255),  RGB(223, 18, 123),
                                                     RGB(2, 123, 192),  RGB(255, 255, 0),
                                                     RGB(255, 102, 102), RGB(153, 0, 153)};
    for (int i = 0; i < MUSIC_CHANNELS; ++i) {
        CMusic_InData* music = GetAt(i);
        music->SetName(kNames[i]);
        music->SetChannelIndex(i);
        music->SetHandleColor(kHandle[i]);
        music->SetCurveColor(g_clrMusicCurve[i]);
        music->SetSpareFlag(i == 0 ? 1 : 0);
        if (i == 0)
            music->SetVolume(450);
        music->SetAllModified(0);
    }
}

CKTV_OutRoute::CKTV_OutRoute() : CChannelArray<CKTV_OutData>(OUTPUT_CHANNELS)
{
    static const char* const kNames[OUTPUT_CHANNELS] = {"FL", "FR", "SL", "SR", "Center", "ULF", "", "", "", ""};
    static const COLORREF kHandle[OUTPUT_CHANNELS] = {
        RGB(255, 0, 0),   RGB(0, 192, 0), RGB(128, 128, 192), RGB(255, 64, 255), RGB(0, 192, 192),
        RGB(192, 168, 0), RGB(125, 128, 0), RGB(0, 0, 255),   RGB(125, 128, 0),  RGB(0, 0, 255)};
    static const ARGB kCurve[OUTPUT_CHANNELS] = {g_clrOut1, g_clrOut2, g_clrOut3, g_clrOut4, g_clrOut5,
                                                 g_clrOut6, g_clrOut7, g_clrOut8, g_clrOut9, g_clrOut10};
    // High-pass drag rule as built: 10 for outputs 0, 1, 3, 4, 9 for the others.
    static const int kHpSlot[OUTPUT_CHANNELS] = {10, 10, 9, 10, 10, 9, 9, 9, 9, 9};
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        CKTV_OutData* out = GetAt(i);
        out->SetChannelIndex(i);
        out->SetName(kNames[i]);
        out->SetHandleColor(kHandle[i]);
        out->SetCurveColor(kCurve[i]);
        out->BuildEq(30, OUT_REC_FILTERS, kHpSlot[i], 20, 20000);
        out->SetAllModified(0);
        out->SetNameModified(0);
    }
}

void CKTV_OutRoute::SetAllModified(int v)
{
    for (auto& p : m_arChannels) {
        p->SetAllModified(v);
        p->SetNameModified(v);
    }
}
