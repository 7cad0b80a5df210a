// The scene object: the typed model of one scene (effect block, microphone input, six music
// inputs, ten outputs), the moves between it and the byte images (SetFromDevice, PackAll),
// and the change scanner that turns the next pending edit into one device frame.
//
// The program has one, owned by the document. Its outputs are listed in g_pOutChannel from
// construction (InitLinkTable) until its destruction.
//
// Thread: setters on the user-interface thread. GetNextSendData runs on the comm worker while
// it holds g_csComm; it never waits for the user-interface thread and never shows anything:
// it only posts WM_SCENE_NAME_CHANGED.
#pragma once

#include "CEffect_Data.h"
#include "CKTV_DataRoutes.h"
#include "CSendData.h"
#include "WinTypes.h"

#include <memory>

// The main view's window: receives WM_SCENE_NAME_CHANGED from the scanner. Set by the view
// before the comm worker starts; null until then (the post is then dropped).
extern HWND g_hMainViewWnd;

// Output map: the 8-byte crossover record of each output, in output order (CollectMapData).
constexpr int MAP_DATA_ENTRIES = 10;
extern BYTE g_MapData[MAP_DATA_ENTRIES][8];

class CKTV_Data {
public:
    // Builds every channel with its set-up, then InitLinkTable.
    CKTV_Data();
    // Removes its outputs from g_pOutChannel.
    ~CKTV_Data();
    CKTV_Data(const CKTV_Data&) = delete;
    CKTV_Data& operator=(const CKTV_Data&) = delete;

    // Every output in a group of its own (link and page groups), and g_pOutChannel[i] = output i.
    void InitLinkTable();

    // Channel accessors: microphone 0, music 0..5, output 0..9; null outside.
    CMIC_InData* GetMicData(int i) const { return m_MicRoute.GetAt(i); }
    CMusic_InData* GetMusicData(int i) const { return m_MusicRoute.GetAt(i); }
    CKTV_OutData* GetOutData(int i) const { return m_OutRoute.GetAt(i); }
    CEffect_Data* GetEffectData() { return &m_Effect; }

    // Clears every change stamp of the scene; g_bPendingSys5 := nPendingSys5, g_bPendingSys2 := 0.
    void ClearAllModified(int nPendingSys5);
    // Loads the model from a 4984-byte scene image: the effect block only for scene 0 or 6,
    // the microphone, the music inputs and the outputs always. No stamp is set.
    void SetFromDevice(const BYTE* pImage, int nScene);
    // Writes the whole model into the live image g_Scene, without a frame.
    void PackAll();

    // The change scanner: the frame of the next pending change, or the state poll when
    // nothing is pending; never null. Order: system sub-commands 5 and 2, the scene name,
    // music inputs 0..5, outputs 0..9.
    std::unique_ptr<CSendData> GetNextSendData();

    // The equaliser graph's rectangle, passed unchanged to every output / music input / both.
    void SetOutCurveRect(int nLeft, int nTop, int nRight, int nBottom);
    void SetMusicCurveRect(int nLeft, int nTop, int nRight, int nBottom);
    void SetCurveRect(int nLeft, int nTop, int nRight, int nBottom);

    // The crossover record of every output into g_MapData.
    void CollectMapData();

    // The live scene's name as the scanner last read it.
    const CString& GetName() const { return m_strName; }

    CEffect_Data m_Effect;

private:
    std::unique_ptr<CSendData> ScanSceneName();
    std::unique_ptr<CSendData> ScanMusic(CMusic_InData& music);
    std::unique_ptr<CSendData> ScanOutput(CKTV_OutData& out);

    CKTV_MicRoute m_MicRoute;
    CKTV_MusicRoute m_MusicRoute;
    CKTV_OutRoute m_OutRoute;
    CString m_strName;
};
