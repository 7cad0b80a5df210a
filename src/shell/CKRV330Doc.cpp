#include "CKRV330Doc.h"

#include "CKRV330View.h"
#include "Globals.h"
#include "PresetFile.h"
#include "SceneImage.h"

#include <cstring>
#include <memory>

BOOL CKRV330Doc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    SetTitle("");
    return TRUE;
}

void CKRV330Doc::AttachView(CKRV330View& view) { view.SetSceneData(&m_KtvData); }

BYTE CKRV330Doc::FixInputSource(BYTE s, BYTE m, BYTE shown)
{
    switch (m) {
    case 0: return s == 0 || s == 2 ? shown : s;
    case 1: return s == 0 ? shown : s;
    case 2: return s == 2 ? shown : s;
    default: return s;
    }
}

int CKRV330Doc::SerializeScene(CKTV_Data& scene, CPresetArchive& ar)
{
    if (ar.IsStoring()) {
        SceneImage live;
        {
            CSingleLock lock(g_csComm);
            scene.PackAll();
            std::memcpy(live, g_Scene, SCENE_IMAGE_SIZE);
        }
        const std::vector<BYTE> file = BuildSceneFile(live);
        ar.WriteBytes(file.data(), file.size());
        return 1;
    }
    SceneImage live;
    if (!ParseSceneFile(ar.Bytes(), live))
        return 0;
    CSingleLock lock(g_csComm);
    std::memcpy(g_Scene, live, SCENE_IMAGE_SIZE);
    scene.SetFromDevice(g_Scene, -1);
    return 1;
}

int CKRV330Doc::SerializeAllScenes(CKTV_Data& scene, CPresetArchive& ar)
{
    auto content = std::make_unique<AllScenesContent>();
    if (ar.IsStoring()) {
        {
            CSingleLock lock(g_csComm);
            for (int s = 0; s < STORED_SCENES; ++s)
                std::memcpy(content->stored[s], g_StoredScenes[s], SCENE_IMAGE_SIZE);
            scene.PackAll();
            std::memcpy(content->live, g_Scene, SCENE_IMAGE_SIZE);
            content->sys = TakePresetSystemFields();
        }
        const std::vector<BYTE> file = BuildAllScenesFile(*content);
        ar.WriteBytes(file.data(), file.size());
        return 1;
    }
    if (!ParseAllScenesFile(ar.Bytes(), *content))
        return 0;
    CSingleLock lock(g_csComm);
    // The source the input page showed before the load, for the fix-up.
    const BYTE shown = BYTE(g_nShownInput);
    for (int s = 0; s < STORED_SCENES; ++s)
        std::memcpy(g_StoredScenes[s], content->stored[s], SCENE_IMAGE_SIZE);
    std::memcpy(g_Scene, content->live, SCENE_IMAGE_SIZE);
    ApplyPresetSystemFields(content->sys);
    scene.SetFromDevice(g_Scene, -1);
    g_byInputSource = FixInputSource(g_byInputSource, g_bySysGroup8[2], shown);
    return 1;
}

int CKRV330Doc::SerializeMap(CKTV_Data& scene, CPresetArchive& ar)
{
    if (ar.IsStoring()) {
        MapContent content;
        {
            CSingleLock lock(g_csComm);
            std::memcpy(content.bySpeakerType, g_bySysSpeakerType, sizeof content.bySpeakerType);
            scene.CollectMapData();
            for (int i = 0; i < MAP_OUTPUTS; ++i)
                content.entry[i] = MapEntryFromRecord(g_MapData[i]);
        }
        const std::vector<BYTE> file = BuildMapFile(content);
        ar.WriteBytes(file.data(), file.size());
        return 1;
    }
    MapContent content;
    if (!ParseMapFile(ar.Bytes(), content))
        return 0;
    CSingleLock lock(g_csComm);
    std::memcpy(g_bySysSpeakerType, content.bySpeakerType, sizeof content.bySpeakerType);
    for (int i = 0; i < MAP_OUTPUTS; ++i) {
        const MapEntry& e = content.entry[i];
        BYTE* r = g_MapData[i];
        r[0] = BYTE(e.wHighFreq & 0xFF);
        r[1] = BYTE(e.wHighFreq >> 8);
        r[2] = e.byHighClass;
        r[3] = e.byHighSlope;
        r[4] = BYTE(e.wLowFreq & 0xFF);
        r[5] = BYTE(e.wLowFreq >> 8);
        r[6] = e.byLowClass;
        r[7] = e.byLowSlope;
    }
    return 1;
}

int CKRV330Doc::SerializeModeFile(CPresetArchive& ar)
{
    if (ar.IsStoring()) {
        ModeContent content;
        {
            CSingleLock lock(g_csComm);
            // An index the table does not have stores row 0 as row 0 rather than reading past
            // the table, so the file written can be read back.
            const int row = g_byModeIndex < MODE_ROWS ? g_byModeIndex : 0;
            content.byModeIndex = BYTE(row);
            for (int i = 0; i < MODE_ROW_VALUES; ++i)
                content.wRow[i] = g_wModeTable[row * MODE_ROW_VALUES + i];
        }
        const std::vector<BYTE> file = BuildModeFile(content);
        ar.WriteBytes(file.data(), file.size());
        return 1;
    }
    ModeContent content;
    if (!ParseModeFile(ar.Bytes(), content))
        return 0;
    CSingleLock lock(g_csComm);
    g_byModeIndex = content.byModeIndex;
    for (int i = 0; i < MODE_ROW_VALUES; ++i)
        g_wModeTable[content.byModeIndex * MODE_ROW_VALUES + i] = content.wRow[i];
    return 1;
}
