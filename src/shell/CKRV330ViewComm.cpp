// The main view's side of the conversation above the transports: the request lists of the
// connect sequence, the version check, the send entry points the link needs, and the handlers
// of what the reply engine posts when data has arrived.
#include "CKRV330View.h"

#include "CAdv_Seting.h"

#include "CDisplayDlg.h"
#include "CKRV330App.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "Clock.h"
#include "ControlGlobals.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "ShellTexts.h"
#include "ShowTimedMessage.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"
#include "Texts.h"

#include <cstring>

namespace {

// Appends a request as item nIndex of a counted batch.
void QueueCounted(CKTVCommand& queue, std::unique_ptr<CSendData> item, int nIndex)
{
    if (!item)
        return;
    item->SetCounted(TRUE);
    item->SetIndex(nIndex);
    queue.AddSendData(std::move(item));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Firmware exchanges

void CKRV330View::UsbTransactHex() { m_Link.UsbTransactHex(); }

void CKRV330View::NetTransactHex() { m_Link.NetTransactHex(); }

// ---------------------------------------------------------------------------------------------
// Request lists

void CKRV330View::RequestDeviceData(BOOL bAll)
{
    if (!bAll) {
        g_bHandshake = 1;
        m_SendQueue.AddSendData(BuildCommandReadRequest(SYS_HANDSHAKE, 0));
        m_SendQueue.AddSendData(BuildCommandReadRequest(SYS_VERSION, 0));
        return;
    }
    for (int s = 1; s <= STORED_SCENES; ++s)
        QueueCounted(m_SendQueue, BuildCommandReadRequest(SYS_SCENE_NAME, s), m_nBatchCount++);
    for (int i = 0; i < SYS_READ_COUNT; ++i)
        QueueCounted(m_SendQueue, BuildCommandReadRequest(g_nSysReadCmd[i], 0), m_nBatchCount++);
    QueueCounted(m_SendQueue, BuildCommandReadRequest(SYS_GROUP8, 0), m_nBatchCount++);
}

void CKRV330View::RecallScene(int nScene, int)
{
    g_bOnline = 0;
    if (!m_bLinked) {
        ShowConnectFailure();
        return;
    }
    g_bSceneModified = 0;
    g_byCurScene = BYTE(nScene);
    {
        CSingleLock lock(g_csComm);  // the caller holds it already for scene 0: taken again
        if (nScene > 0) {
            m_nBatchCount = 0;
            HoldSystemOutput(FALSE);
        }
        for (int ch = 0; ch < LINK_CHANNELS; ++ch) {
            std::unique_ptr<CSendData> item = BuildReadRequest(nScene, BLOCK_OUTPUT, ch, TRUE);
            if (!item)
                continue;
            // The last block ends the batch and does not advance the count.
            if (ch == LINK_CHANNELS - 1) {
                item->SetLastRead(TRUE);
                QueueCounted(m_SendQueue, std::move(item), m_nBatchCount);
            } else {
                QueueCounted(m_SendQueue, std::move(item), m_nBatchCount++);
            }
        }
        ResetTransferProgress();
        g_bTransferBusy = 1;
        if (nScene > 0) {
            QueueCounted(m_SendQueue, BuildCommand(SYS_SCENE_NAME, 0), m_nBatchCount++);
            HoldSystemOutput(TRUE);
        }
    }
    ShowTransferPopup(nScene > 0 ? 1 : 0);
    g_bSceneModified = 0;
}

// ---------------------------------------------------------------------------------------------
// Send entry points

void CKRV330View::SendCommand(int nCmd, int nScene)
{
    if (!m_bLinked)
        return;
    const bool wifiDefault = nCmd == SYS_WIFI_DEFAULT;
    {
        CSingleLock lock(g_csComm);
        std::unique_ptr<CSendData> item = BuildCommand(nCmd, nScene);
        if (!item)
            return;
        if (wifiDefault) {
            // Busy before the worker can take the item: its end clears the flag.
            item->SetNotify(TRUE);
            g_bTransferBusy = 1;
        }
        m_SendQueue.AddSendData(std::move(item));
    }
    if (wifiDefault) {
        if (g_pDisplayDlg) {
            g_pDisplayDlg->SetFactoryMode();
            g_pDisplayDlg->ShowProgress(1);
        }
    }
}

void CKRV330View::SetSysCmd5Pending(BOOL bOn)
{
    CSingleLock lock(g_csComm);
    g_bPendingSys5 = bOn && m_bLinked ? 1 : 0;
}

void CKRV330View::SetSysCmd2Pending(BOOL bOn)
{
    CSingleLock lock(g_csComm);
    g_bPendingSys2 = bOn && m_bLinked ? 1 : 0;
}

void CKRV330View::HoldSystemOutput(BOOL bRestore)
{
    if (bRestore) {
        g_bySysParams[4] = BYTE(m_nSavedMasterSwitch);
    } else {
        m_nSavedMasterSwitch = g_bySysParams[4];
        g_bySysParams[4] = 0;
    }
    m_SendQueue.AddSendData(BuildCommand(SYS_MASTER_LEVEL, 0));
}

void CKRV330View::SetInputSource(int nKind, BOOL bStore)
{
    const int entry = InputTypeEntry(nKind);
    if (entry >= 0)
        m_cmbInputType.SetCurSel(entry);
    if (bStore) {
        {
            CSingleLock lock(g_csComm);
            g_byInputSource = BYTE(nKind);
        }
        SendCommand(SYS_INPUT_SOURCE, 0);
    }
    ShowAudioSource();
}

void CKRV330View::ShowAudioSource()
{
    BYTE audio;
    BYTE input;
    {
        CSingleLock lock(g_csComm);
        audio = g_bySysGroup8[4];
        input = g_byInputSource;
    }
    m_cmbAudioSource.SetCurSel(AudioSourceEntry(audio));
    g_bSourceMatch = audio == input ? 1 : 0;
    // The audio selector's colour follows the match.
    m_cmbAudioSource.Invalidate(FALSE);
    m_cmbInputType.Invalidate(FALSE);
}

int CKRV330View::InputTypeEntry(int nKind)
{
    switch (nKind) {
    case 1: return 0;
    case 2: return 1;
    case 0: return 2;
    default: return -1;
    }
}

int CKRV330View::AudioSourceEntry(int nValue)
{
    switch (nValue) {
    case 1: return 0;
    case 2: return 1;
    case 0: return 2;
    default: return 3;
    }
}

void CKRV330View::RebuildLinkGroups()
{
    m_OutputPage.ClearGroupHighlight(g_nCurOutput);
    if (m_pScene) {
        m_pScene->InitLinkTable();
    } else {
        for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
            g_nLinkGroup[i] = i;
            g_nOutputGroup[i] = i;
        }
    }
    g_bLRLink = 0;
    m_btnLinkLR.SetCheck(FALSE);
    g_bLRLinkCmd = 0;
    // The per-group tables are rebuilt from scratch, so a second rebuild never counts an output
    // twice. Group number k > 0 is group index k - 1; output 0 (group 0) is never linked here.
    for (int g = 0; g < OUTPUT_CHANNELS; ++g) {
        g_bLinkGroupUsed[g] = 0;
        g_nLinkGroupCount[g] = 0;
        g_nLinkGroupMask[g] = 0;
    }
    for (int i = 0; i < OUTPUT_CHANNELS; ++i) {
        const int k = g_nLinkGroup[i];
        if (k <= 0 || k > OUTPUT_CHANNELS)
            continue;
        g_bLinkGroupUsed[k - 1] = 1;
        g_nLinkGroupMask[k - 1] |= 1 << i;
        g_nLinkGroupCount[k - 1] += 1;
        g_LinkOfChannel[i] = {0, k - 1};
    }
    m_OutputPage.ShowLinkGroups();
}

void CKRV330View::RemoveFromLinkGroup(int nCh, int nGroup)
{
    // Group number k > 0 is group index k - 1, as the rebuild counts them.
    if (nCh < 0 || nCh >= OUTPUT_CHANNELS || nGroup <= 0 || nGroup > OUTPUT_CHANNELS)
        return;
    const int g = nGroup - 1;
    if (g_nLinkGroupCount[g] > 0)
        g_nLinkGroupCount[g] -= 1;
    if (g_nLinkGroupCount[g] == 0)
        g_bLinkGroupUsed[g] = 0;
    g_nLinkGroupMask[g] &= ~(1 << nCh);
    g_LinkOfChannel[nCh] = {0, 0};
}

// ---------------------------------------------------------------------------------------------
// Version check

LRESULT CKRV330View::OnVersionReceived(WPARAM, LPARAM)
{
    // An answer that arrives after the link closed (lost, pulled) must not queue a full read.
    if (!m_bLinked)
        return 0;
    char version[DEVICE_VERSION_LENGTH + 1];
    {
        CSingleLock lock(g_csComm);
        std::memcpy(version, g_szDeviceVersion, sizeof(version));
    }
    if (std::strncmp(version, g_szProgramVersion, VERSION_PREFIX_LENGTH) != 0) {
        // Another product: dropped without a word.
        RefuseDevice(FALSE);
        return 0;
    }
    if (version[VERSION_MAJOR_POS] != g_szProgramVersion[VERSION_MAJOR_POS]) {
        RefuseDevice(TRUE);
        return 0;
    }
    {
        CSingleLock lock(g_csComm);
        RequestDeviceData(TRUE);
        RecallScene(0, TRUE);
    }
    g_bOnline = 1;
    return 0;
}

void CKRV330View::RefuseDevice(BOOL bReport)
{
    if (m_bLinked)
        DisconnectLink();
    m_SendQueue.RemoveAllSendData();
    if (bReport)
        ReportVersionMismatch();
    // Blanked so that no stale version is shown; the text stays terminated.
    CSingleLock lock(g_csComm);
    std::memset(g_szDeviceVersion, ' ', DEVICE_VERSION_LENGTH);
    g_szDeviceVersion[DEVICE_VERSION_LENGTH] = 0;
}

void CKRV330View::ReportVersionMismatch()
{
    char deviceMajor;
    {
        CSingleLock lock(g_csComm);
        deviceMajor = g_szDeviceVersion[VERSION_MAJOR_POS];
    }
    const CString text = VersionMismatchText(g_szProgramVersion[VERSION_MAJOR_POS], deviceMajor, g_bChinese);
    ShowTimedMessage(this, text, g_strProductName, MB_OK, g_bChinese,
                     g_bChinese ? CAPTION_WARNING_CN : CAPTION_WARNING_EN);
}

// ---------------------------------------------------------------------------------------------
// Device replies

LRESULT CKRV330View::OnSceneReceived(WPARAM wParam, LPARAM)
{
    const int scene = int(wParam);
    {
        CSingleLock lock(g_csComm);
        if (m_pScene && scene >= 0 && scene <= STORED_SCENES)
            m_pScene->SetFromDevice(g_Scene, scene);
        g_bSceneModified = 0;
        RebuildLinkGroups();
        ReloadFromScene();
        ShowReceivedSceneName();
        g_bOnline = 1;
        g_bTransferBusy = 0;
    }
    SetInputSource(g_byInputSource, FALSE);
    // The advanced setting dialog shows device values: only while its window exists.
    if (g_pAdvSetingDlg)
        g_pAdvSetingDlg->RefreshFromDevice();
    return 0;
}

LRESULT CKRV330View::OnInputTypeReceived(WPARAM, LPARAM)
{
    if (!m_bLinked)
        return 0;
    int deviceInput;
    {
        CSingleLock lock(g_csComm);
        deviceInput = g_nDeviceInfo[0];
        if (BYTE(deviceInput) == g_byInputSource)
            return 0;
        g_byInputSource = BYTE(deviceInput);
    }
    SetInputSource(deviceInput, FALSE);
    return 0;
}

// Posted by the reply engine, so the lock is free to take here: the worker never waits for
// this handler.
LRESULT CKRV330View::OnSpeakerMapChanged(WPARAM, LPARAM)
{
    BOOL removed = FALSE;
    {
        CSingleLock lock(g_csComm);
        g_bySysParams[2] = 0;
        g_SourceRules.SelectSourceRow(g_byInputSource, g_bySysGroup8[1]);
        removed = TakeDeviceSpeakerTypes();
    }
    if (removed)
        SendSpeakerTypeFix();
    {
        CSingleLock lock(g_csComm);
        if (m_pScene)
            for (int i = 0; i < SPEAKER_CHANNELS; ++i)
                if (CKTV_OutData* out = m_pScene->GetOutData(i))
                    out->SetSpeakerTypeKeepFilters(SpeakerTypeOf(g_bySpeakerType, i));
        ApplyChannelSpeakerTypes();
    }
    ReleaseSpeakerTypeLock();
    {
        CSingleLock lock(g_csComm);
        // Device bytes: only codes the pages know (inputs 0..6, AUX kinds 0..2) are taken.
        if (g_byInputSource <= 6)
            g_nShownInput = g_byInputSource;
        if (g_bySysGroup8[1] <= 2)
            g_nInputKind = g_bySysGroup8[1];
    }
    SetInputSource(g_byInputSource, FALSE);
    if (m_bLinked) {
        CSingleLock lock(g_csComm);
        m_SendQueue.AddSendData(BuildCommand(SYS_SCENE_NAME, 0));
    }
    return 0;
}
