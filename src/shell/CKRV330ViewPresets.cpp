// The main view's side of the PC preset files: the file dialogs and their folders, writing and
// reading through the document's file operations, applying a file that was read (the model,
// the pages, the device), and the all-scenes save, which first reads the device's six scenes.
//
// A file is read whole and checked before anything changes; the global lock is held from the
// check to the queuing of the device frames, and released before any message box shows.
#include "CKRV330View.h"

#include "CFileDialog.h"
#include "CKRV330Doc.h"
#include "FixedField.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "PresetFile.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "ShellTexts.h"
#include "ShowTimedMessage.h"
#include "SpeakerGroups.h"
#include "Texts.h"

#include <QFileInfo>

#include <functional>

namespace {

struct FileKind {
    int nFolder;              // PC_FOLDER_*
    const CString& ext;       // without the dot
    const CString& filter;
};

const FileKind kSceneFile{PC_FOLDER_SCENE, g_strPresetExt, g_strPresetFilter};
const FileKind kAllFile{PC_FOLDER_ALL, g_strAllPresetExt, g_strAllPresetFilter};
const FileKind kMapFile{PC_FOLDER_MAP, g_strMapExt, g_strMapFilter};

void ShowFileError(const CString& cn, const CString& en)
{
    if (g_bChinese)
        AfxMessageBox(cn, MB_OK, CAPTION_PROMPT_CN);
    else
        AfxMessageBox(en, MB_OK, CAPTION_PROMPT_EN);
}

// The file's name without folder and extension.
CString FileTitle(const CString& path)
{
    return QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// File dialogs

namespace {

// Runs the save (bOpen FALSE) or open dialog of a file kind in the remembered folder; the
// folder chosen is remembered. Empty path on Cancel. A saved name whose extension is not
// exactly the kind's gets the kind's extension appended.
CString ChooseFile(CKRV330View& view, const FileKind& kind, BOOL bOpen)
{
    view.LoadPcFileFolders(kind.nFolder);
    const DWORD flags =
        bOpen ? OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    CFileDialog dlg(bOpen, kind.ext.c_str(), nullptr, flags, kind.filter.c_str(), &view);
    dlg.SetInitialDir(view.GetPcFileFolder(kind.nFolder));
    if (dlg.DoModal() != IDOK || dlg.GetPathName().empty())
        return CString();
    CString path = dlg.GetPathName();
    if (!bOpen && dlg.GetFileExt() != kind.ext)
        path += "." + kind.ext;
    view.SetPcFileFolder(kind.nFolder, QFileInfo(QString::fromStdString(path)).absolutePath().toStdString());
    view.SavePcFileFolders(kind.nFolder);
    return path;
}

// Reads the file chosen for a kind and hands it whole to load, under the global lock when
// bLock (load checks it and applies it, and queues what goes to the device). A file that cannot
// be read or fails load's checks gives the read error, shown once the lock is released.
// Nothing happens on Cancel. TRUE when the file was applied.
BOOL ReadPresetFileInto(CKRV330View& view, const FileKind& kind, BOOL bLock,
                        const std::function<BOOL(CPresetArchive&, const CString&)>& load, const CString& errCn, const CString& errEn)
{
    const CString path = ChooseFile(view, kind, TRUE);
    if (path.empty())
        return FALSE;
    std::vector<BYTE> bytes;
    BOOL ok = ReadPresetFile(path, bytes);
    if (ok) {
        CPresetArchive ar(std::move(bytes));
        if (bLock) {
            CSingleLock lock(g_csComm);
            ok = load(ar, path);
        } else {
            ok = load(ar, path);
        }
    }
    if (!ok)
        ShowFileError(errCn, errEn);
    return ok;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// One-scene file

BOOL CKRV330View::SaveSceneFile() { return WriteSceneFile(); }

BOOL CKRV330View::WriteSceneFile()
{
    if (!m_pScene)
        return FALSE;
    const CString path = ChooseFile(*this, kSceneFile, FALSE);
    if (path.empty())
        return FALSE;
    CPresetArchive ar;
    CKRV330Doc::SerializeScene(*m_pScene, ar);
    if (!WritePresetFile(path, ar.Bytes())) {
        ShowFileError(g_strSaveSceneFileErrCn, g_strSaveSceneFileErrEn);
        return FALSE;
    }
    // The file holds the name the scene had; from now on the scene is called after the file.
    SetSceneNameFromTitle(FileTitle(path));
    g_bSceneModified = 0;
    return TRUE;
}

void CKRV330View::LoadSceneFile() { ReadSceneFile(); }

void CKRV330View::ReadSceneFile()
{
    if (!m_pScene)
        return;
    ReadPresetFileInto(
        *this, kSceneFile, TRUE,
        [&](CPresetArchive& ar, const CString& path) {
            if (!CKRV330Doc::SerializeScene(*m_pScene, ar))
                return FALSE;
            g_bSceneModified = 0;
            RebuildLinkGroups();
            SetSceneNameFromTitle(FileTitle(path));
            WriteSceneToDevice(0, FALSE);
            ReloadFromScene();
            m_OutputPage.CheckLinkMode();
            ResetSlotRecord();
            return TRUE;
        },
        g_strReadSceneFileErrCn, g_strReadSceneFileErrEn);
}

// ---------------------------------------------------------------------------------------------
// All-scenes file

BOOL CKRV330View::ChooseAllScenesFile()
{
    const CString path = ChooseFile(*this, kAllFile, FALSE);
    if (path.empty())
        return FALSE;
    g_strAllPresetFilePath = path;
    return TRUE;
}

BOOL CKRV330View::PromptAllScenesFile() { return ChooseAllScenesFile(); }

BOOL CKRV330View::BeginSaveAllScenes()
{
    if (!m_bLinked) {
        ShowConnectFailure();
        return FALSE;
    }
    if (!PromptAllScenesFile())
        return FALSE;
    {
        CSingleLock lock(g_csComm);
        m_nBatchCount = 0;
        for (int scene = 1; scene <= STORED_SCENES; ++scene) {
            for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
                std::unique_ptr<CSendData> item = BuildReadRequest(scene, BLOCK_OUTPUT, ch, FALSE);
                if (!item)
                    continue;
                item->SetCounted(TRUE);
                item->SetIndex(m_nBatchCount++);
                if (scene == STORED_SCENES && ch == OUTPUT_CHANNELS - 1)
                    item->SetLastRead(TRUE);
                m_SendQueue.AddSendData(std::move(item));
            }
        }
        m_Progress.SetRange(0, m_nBatchCount);
        m_Progress.SetPos(0);
        ResetTransferProgress(0);
        g_bTransferBusy = 1;
    }
    ShowTransferPopup(1);
    return TRUE;
}

LRESULT CKRV330View::OnAllScenesReceived(WPARAM, LPARAM)
{
    WriteAllScenesFile();
    g_bTransferBusy = 0;
    return 0;
}

BOOL CKRV330View::WriteAllScenesFile()
{
    if (!m_pScene)
        return FALSE;
    CPresetArchive ar;
    CKRV330Doc::SerializeAllScenes(*m_pScene, ar);
    if (g_strAllPresetFilePath.empty() || !WritePresetFile(g_strAllPresetFilePath, ar.Bytes())) {
        ShowFileError(g_strSaveAllFileErrCn, g_strSaveAllFileErrEn);
        return FALSE;
    }
    return TRUE;
}

void CKRV330View::LoadAllScenesFile() { ReadAllScenesFile(); }

void CKRV330View::ReadAllScenesFile()
{
    if (!m_pScene)
        return;
    ReadPresetFileInto(
        *this, kAllFile, TRUE,
        [&](CPresetArchive& ar, const CString&) {
            if (!CKRV330Doc::SerializeAllScenes(*m_pScene, ar))
                return FALSE;
            g_bSceneModified = 0;
            // File bytes: only codes the pages know are taken.
            if (g_byInputSource <= 6)
                g_nShownInput = g_byInputSource;
            if (g_bySysGroup8[1] <= 2)
                g_nInputKind = g_bySysGroup8[1];
            g_SourceRules.SelectSourceRow(g_byInputSource, g_bySysGroup8[1]);
            StartTimer9999(ALL_SCENES_LOAD_TIMER_MS);
            RebuildLinkGroups();
            ReapplyDeviceSpeakerTypes(FALSE);
            WriteAllScenesToDevice();
            ReloadFromScene();
            m_OutputPage.CheckLinkMode();
            ResetSlotRecord();
            ShowSceneName();
            return TRUE;
        },
        g_strReadAllFileErrCn, g_strReadAllFileErrEn);
}

void CKRV330View::ShowSceneName()
{
    CString name;
    {
        CSingleLock lock(g_csComm);
        name = FieldToString(g_Scene + SCENE_NAME_OFFSET, 15);
        g_bSendSceneName = 1;
    }
    const size_t first = name.find_first_not_of(' ');
    const size_t last = name.find_last_not_of(' ');
    name = first == CString::npos ? CString() : name.substr(first, last - first + 1);
    m_btnSceneName.SetCheck(name.empty() ? FALSE : TRUE);
    if (name == g_strCustomName)
        name = g_bChinese ? g_strCustomNameCn : g_strCustomName;
    m_editSceneName.SetWindowText(name);
    m_btnSceneName.SetWindowText(name);
}

// ---------------------------------------------------------------------------------------------
// Output-map file (no command opens one)

BOOL CKRV330View::SaveOutputMapFile()
{
    if (!m_pScene)
        return FALSE;
    const CString path = ChooseFile(*this, kMapFile, FALSE);
    if (path.empty())
        return FALSE;
    CPresetArchive ar;
    CKRV330Doc::SerializeMap(*m_pScene, ar);
    if (!WritePresetFile(path, ar.Bytes())) {
        ShowFileError(g_strSaveMapErrCn, g_strSaveMapErrEn);
        return FALSE;
    }
    return TRUE;
}

BOOL CKRV330View::ReadOutputMapFile()
{
    if (!m_pScene)
        return FALSE;
    return ReadPresetFileInto(
        *this, kMapFile, FALSE, [&](CPresetArchive& ar, const CString&) { return BOOL(CKRV330Doc::SerializeMap(*m_pScene, ar)); },
        g_strReadMapErrCn, g_strReadMapErrEn);
}
