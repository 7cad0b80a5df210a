// CKTV_Data: construction, link table, whole-scene loads and packs, curves and the output map.
#include "CKTV_Data.h"

#include "Globals.h"
#include "SceneImage.h"

#include <cstring>

HWND g_hMainViewWnd = nullptr;
BYTE g_MapData[MAP_DATA_ENTRIES][8] = {};

CKTV_Data::CKTV_Data()
{
    InitLinkTable();
}

CKTV_Data::~CKTV_Data()
{
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        if (g_pOutChannel[i] == m_OutRoute.GetAt(i))
            g_pOutChannel[i] = nullptr;
    }
}

void CKTV_Data::InitLinkTable()
{
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        g_nLinkGroup[i] = i;
        g_nOutputGroup[i] = i;
        g_pOutChannel[i] = m_OutRoute.GetAt(i);
    }
}

void CKTV_Data::ClearAllModified(int nPendingSys5)
{
    m_Effect.SetAllModified(0);
    m_MicRoute.SetAllModified(0);
    m_MusicRoute.SetAllModified(0);
    m_OutRoute.SetAllModified(0);
    g_bPendingSys5 = nPendingSys5;
    g_bPendingSys2 = 0;
}

void CKTV_Data::SetFromDevice(const BYTE* pImage, int nScene)
{
    if (!pImage)
        return;
    if (nScene == 0 || nScene == 6)
        m_Effect.LoadFromDevice(pImage + EFFECT_BLOCK_OFFSET);
    m_MicRoute.LoadFromDevice(0, pImage + MIC_BLOCK_OFFSET);
    for (int i = 0; i < MUSIC_CHANNELS; ++i)
        m_MusicRoute.LoadFromDevice(i, pImage + MUSIC_BLOCK_OFFSET + i * MUSIC_BLOCK_SIZE);
    for (int i = 0; i < OUTPUT_CHANNELS; ++i)
        m_OutRoute.LoadFromDevice(i, pImage + OUTPUT_BLOCK_OFFSET + i * OUTPUT_BLOCK_SIZE);
}

void CKTV_Data::PackAll()
{
    m_Effect.PutAllRecords();
    for (int i = 0; i < m_MicRoute.GetSize(); ++i)
        m_MicRoute.GetAt(i)->PutChannelRecords();
    for (int i = 0; i < m_MusicRoute.GetSize(); ++i)
        m_MusicRoute.GetAt(i)->PutChannelRecords();
    for (int i = 0; i < m_OutRoute.GetSize(); ++i)
        m_OutRoute.GetAt(i)->PutChannelRecords();
}

void CKTV_Data::SetOutCurveRect(int nLeft, int nTop, int nRight, int nBottom)
{
    const CRect rc(nLeft, nTop, nRight, nBottom);
    for (int i = 0; i < m_OutRoute.GetSize(); ++i)
        m_OutRoute.GetAt(i)->SetCurveRect(rc);
}

void CKTV_Data::SetMusicCurveRect(int nLeft, int nTop, int nRight, int nBottom)
{
    const CRect rc(nLeft, nTop, nRight, nBottom);
    for (int i = 0; i < m_MusicRoute.GetSize(); ++i)
        m_MusicRoute.GetAt(i)->SetCurveRect(rc);
}

void CKTV_Data::SetCurveRect(int nLeft, int nTop, int nRight, int nBottom)
{
    SetOutCurveRect(nLeft, nTop, nRight, nBottom);
    SetMusicCurveRect(nLeft, nTop, nRight, nBottom);
}

void CKTV_Data::CollectMapData()
{
    for (int i = 0; i < MAP_DATA_ENTRIES; ++i) {
        if (const CKTV_OutData* out = m_OutRoute.GetAt(i))
            out->GetFiltersRecord(g_MapData[i]);
    }
}
