// The view's send entry points beyond the connect sequence: channel re-sends with the output
// switched off, speaker types, channel copies, equaliser grid resets, the speaker-type input mix
// and the scene writes. Every append happens while g_csComm is held, taken here or by the
// caller as each comment says. User-interface thread.
#include "CKRV330View.h"

#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTVEQ.h"
#include "CKTV_OutData.h"
#include "CMusic_InData.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkState.h"
#include "SceneImage.h"
#include "ShellGlobals.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <cstring>

namespace {

constexpr int kBands = 31;  // equaliser bands of a channel

void QueueCounted(CKTVCommand& queue, std::unique_ptr<CSendData> item, int nIndex)
{
    if (!item)
        return;
    item->SetCounted(TRUE);
    item->SetIndex(nIndex);
    queue.AddSendData(std::move(item));
}

// Mix levels (percent) of records 33 (A1..A8) and 34 (B1..B8) for a speaker type 0..24.
struct TypeMix {
    BYTE a[8];
    BYTE b[8];
};
TypeMix MixOfType(int type)
{
    TypeMix m{};
    auto left = [&](BYTE& a) { a = 100, m.b[4] = 100, m.b[6] = 100; };
    auto right = [&](BYTE& a) { a = 100, m.b[5] = 100, m.b[7] = 100; };
    if (type >= 1 && type <= 6)
        left(m.a[0]);
    else if (type >= 7 && type <= 12)
        right(m.a[1]);
    else if (type >= 13 && type <= 15)
        left(m.a[2]);
    else if (type >= 16 && type <= 18)
        right(m.a[3]);
    else if (type >= 19 && type <= 21) {
        m.a[0] = m.a[1] = 50;
        m.b[4] = m.b[5] = m.b[6] = m.b[7] = 50;
    } else if (type == 22)
        left(m.a[0]);
    else if (type == 23)
        right(m.a[1]);
    else if (type == 24) {
        m.a[0] = m.a[1] = 100;
        m.b[4] = m.b[5] = m.b[6] = m.b[7] = 100;
    }
    return m;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Channel re-sends

void CKRV330View::SendOutputChannelMutedNoLock(int nCh)
{
    if (!m_bLinked || !m_pScene)
        return;
    CKTV_OutData* out = m_pScene->GetOutData(nCh);
    if (!out)
        return;
    m_nSavedOn = out->GetOn();
    out->SetOn(0);
    out->SetLevelModified(0);
    m_SendQueue.AddSendData(out->PutLevelRecord(TRUE));
    out->PutChannelRecords();
    m_SendQueue.AddSendData(BuildWholeBlockPacket(0, BLOCK_OUTPUT, nCh, TRUE));
    out->SetOn(m_nSavedOn);
    out->SetLevelModified(0);
    m_SendQueue.AddSendData(out->PutLevelRecord(TRUE));
}

void CKRV330View::SendOutputChannelMuted(int nCh, int)
{
    if (!m_bLinked)
        return;
    CSingleLock lock(g_csComm);
    SendOutputChannelMutedNoLock(nCh);
}

void CKRV330View::SendOutputLevelMuted(int nCh)
{
    if (!m_bLinked || !m_pScene)
        return;
    CKTV_OutData* out = m_pScene->GetOutData(nCh);
    if (!out)
        return;
    m_nSavedOn = out->GetOn();
    out->SetOn(0);
    out->SetLevelModified(0);
    m_SendQueue.AddSendData(out->PutLevelRecord(TRUE));
    // The model keeps the real state; the caller's whole-block re-send carries it.
    out->SetOn(m_nSavedOn);
    out->SetLevelModified(0);
}

void CKRV330View::SendInputChannelMuted(int nCh, int)
{
    if (!m_bLinked || !m_pScene)
        return;
    CMusic_InData* in = m_pScene->GetMusicData(nCh);
    if (!in)
        return;
    CSingleLock lock(g_csComm);
    HoldSystemOutput(FALSE);
    m_nSavedOn = in->GetOn();
    in->SetOn(0);
    in->SetVolumeModified(0);
    m_SendQueue.AddSendData(in->PutVolumeRecord(TRUE));
    in->PutChannelRecords();
    m_SendQueue.AddSendData(BuildWholeBlockPacket(0, BLOCK_MUSIC, nCh, TRUE));
    in->SetOn(m_nSavedOn);
    in->SetVolumeModified(0);
    m_SendQueue.AddSendData(in->PutVolumeRecord(TRUE));
    HoldSystemOutput(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Speaker types and copies

void CKRV330View::SendSpeakerTypes(int nCh, BOOL bAll)
{
    if (!m_pScene)
        return;
    CSingleLock lock(g_csComm);
    if (!bAll) {
        CKTV_OutData* out = m_pScene->GetOutData(nCh);
        if (!out)
            return;
        out->SetSpeakerType(SpeakerTypeOf(g_bySpeakerType, nCh));
        if (!m_bLinked)
            return;
        m_SendQueue.AddSendData(BuildCommand(SYS_SPEAKER_TYPES, 0));
        m_SendQueue.AddSendData(BuildCommand(SYS_STATE_RECORD, 0));
        m_SendQueue.AddSendData(out->SendFiltersRecord());
        return;
    }
    if (!m_bLinked)
        return;
    m_SendQueue.AddSendData(BuildCommand(SYS_SPEAKER_TYPES, 0));
    m_SendQueue.AddSendData(BuildCommand(SYS_STATE_RECORD, 0));
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch)
        if (CKTV_OutData* out = m_pScene->GetOutData(ch))
            m_SendQueue.AddSendData(out->SendFiltersRecord());
}

void CKRV330View::SendSceneNameAndDeselect(int n)
{
    if (!m_bLinked)
        return;
    CSingleLock lock(g_csComm);
    m_SendQueue.AddSendData(BuildCommand(SYS_SCENE_NAME, n));
    g_byCurScene = 0;
    m_SendQueue.AddSendData(BuildCommand(SYS_SCENE_SELECT, 0));
}

void CKRV330View::CopyOutputSettings(int nSrc, int nDst) { CopyOutput(nSrc, nDst, FALSE); }

void CKRV330View::CopyOutputChannel(int nSrc, int nDst) { CopyOutput(nSrc, nDst, TRUE); }

void CKRV330View::CopyOutput(int nSrc, int nDst, BOOL bAll)
{
    if (!m_pScene)
        return;
    CKTV_OutData* src = m_pScene->GetOutData(nSrc);
    CKTV_OutData* dst = m_pScene->GetOutData(nDst);
    if (!src || !dst || src == dst)
        return;
    if (bAll)
        dst->CopyAll(*src);
    else
        dst->CopyEQAndLevel(*src);
    if (!m_bLinked)
        return;
    dst->PutChannelRecords();
    m_SendQueue.AddSendData(BuildWholeBlockPacket(0, BLOCK_OUTPUT, nDst, TRUE));
}

void CKRV330View::ApplySpeakerTypeMix(int nCh, int nType)
{
    if (nCh < 0 || nCh >= OUTPUT_CHANNELS)
        return;
    if (nType >= 0 && nType <= 24) {
        const TypeMix mix = MixOfType(nType);
        BYTE* block = g_Scene + BlockOffset(BLOCK_OUTPUT, nCh);
        std::memcpy(block + OUT_REC_MIX_A * RECORD_SIZE, mix.a, RECORD_SIZE);
        std::memcpy(block + OUT_REC_MIX_B * RECORD_SIZE, mix.b, RECORD_SIZE);
    }
    if (!m_pScene)
        return;
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
        CKTV_OutData* out = m_pScene->GetOutData(ch);
        if (!out)
            continue;
        const BYTE* block = g_Scene + BlockOffset(BLOCK_OUTPUT, ch);
        for (int k = 0; k < RECORD_SIZE; ++k) {
            out->SetMixA(k + 1, block[OUT_REC_MIX_A * RECORD_SIZE + k]);
            out->SetMixB(k + 1, block[OUT_REC_MIX_B * RECORD_SIZE + k]);
        }
    }
}

void CKRV330View::ApplySpeakerTypesToChannels()
{
    if (!m_pScene)
        return;
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch)
        if (CKTV_OutData* out = m_pScene->GetOutData(ch))
            out->SetSpeakerTypeKeepFilters(SpeakerTypeOf(g_bySpeakerType, ch));
}

void CKRV330View::CopyOutputForSpeakerType(int nSrc, int nDst)
{
    if (!m_pScene)
        return;
    CKTV_OutData* src = m_pScene->GetOutData(nSrc);
    CKTV_OutData* dst = m_pScene->GetOutData(nDst);
    if (!src || !dst || src == dst)
        return;
    dst->CopyEQAndLevel(*src);
    const int type = SpeakerTypeOf(g_bySpeakerType, nDst);
    if (type == 1 || type == 7 || type == 13 || type == 16 || type == 19) {
        // A tweeter must not get the full range from a woofer: high-pass at 20 Hz at least,
        // never off, and a low-pass below it opens to the top.
        BYTE rec[RECORD_SIZE];
        dst->GetFiltersRecord(rec);
        int hp = rec[0] | (rec[1] << 8);
        int lp = rec[4] | (rec[5] << 8);
        if (hp < 20)
            hp = 20;
        if (lp < hp)
            lp = 20000;
        if (rec[3] == 8)
            rec[3] = 7;
        rec[0] = BYTE(hp & 0xFF);
        rec[1] = BYTE(hp >> 8);
        rec[4] = BYTE(lp & 0xFF);
        rec[5] = BYTE(lp >> 8);
        dst->SetFiltersRecord(rec);
    }
    if (!m_bLinked)
        return;
    CSingleLock lock(g_csComm);
    HoldSystemOutput(FALSE);
    dst->PutChannelRecords();
    m_SendQueue.AddSendData(BuildWholeBlockPacket(0, BLOCK_OUTPUT, nDst, TRUE));
    HoldSystemOutput(TRUE);
}

BOOL CKRV330View::CopyPairedChannels(int nDirection)
{
    BOOL currentWasDestination = FALSE;
    CSingleLock lock(g_csComm);
    for (const SpeakerPair& pair : g_arLeftRightPair) {
        if (!pair.bUsed)
            continue;
        const int src = nDirection == 0 ? pair.nFirst : pair.nSecond;
        const int dst = nDirection == 0 ? pair.nSecond : pair.nFirst;
        if (src < 0 || src >= OUTPUT_CHANNELS || dst < 0 || dst >= OUTPUT_CHANNELS)
            continue;
        g_nLinkGroup[dst] = src;
        CopyOutputSettings(src, dst);
        if (dst == g_nCurOutput)
            currentWasDestination = TRUE;
    }
    return currentWasDestination;
}

BOOL CKRV330View::TakeDeviceSpeakerTypes()
{
    CSingleLock lock(g_csComm);
    ResetSpeakerTypes();
    for (int i = 0; i < SPEAKER_CHANNELS; ++i)
        SpeakerTypeOf(g_bySpeakerType, i) = g_bySysSpeakerType[i];
    if (!RemoveDuplicateTypes())
        return FALSE;
    for (int i = 0; i < SPEAKER_CHANNELS; ++i)
        g_bySysSpeakerType[i] = SpeakerTypeOf(g_bySpeakerType, i);
    return TRUE;
}

void CKRV330View::SendSpeakerTypeFix()
{
    SendCommand(SYS_SPEAKER_TYPES, 0);
    SendCommand(SYS_STATE_RECORD, 0);
}

void CKRV330View::ReapplyDeviceSpeakerTypes(BOOL bKeepLinkMode)
{
    if (TakeDeviceSpeakerTypes())
        SendSpeakerTypeFix();
    {
        CSingleLock lock(g_csComm);
        ApplyChannelSpeakerTypes();
    }
    if (!bKeepLinkMode)
        ReleaseSpeakerTypeLock();
}

void CKRV330View::ReleaseSpeakerTypeLock()
{
    if (!g_bAssignFlag)
        return;
    g_bAssignFlag = 0;
    m_OutputPage.ApplyLinkMode();
}

// ---------------------------------------------------------------------------------------------
// Equaliser grid resets

void CKRV330View::ResetInputEqFrequencies(int nCh)
{
    if (!m_pScene)
        return;
    CMusic_InData* in = m_pScene->GetMusicData(nCh);
    if (!in)
        return;
    CSingleLock lock(g_csComm);
    for (int b = 0; b < kBands; ++b)
        if (CFilter* f = in->GetFilter(b))
            f->ResetBand(b < 15 ? g_nPeqFreq[b] : g_nGeqFreq[b]);
    in->RecalcCurve();
    if (!m_bLinked)
        return;
    HoldSystemOutput(FALSE);
    in->PutChannelRecords();
    m_SendQueue.AddSendData(BuildWholeBlockPacket(0, BLOCK_MUSIC, nCh, TRUE));
    HoldSystemOutput(TRUE);
}

void CKRV330View::ResetOutputEqChannel(int nCh)
{
    if (!m_pScene)
        return;
    CKTV_OutData* out = m_pScene->GetOutData(nCh);
    if (!out)
        return;
    for (int b = 0; b < kBands; ++b)
        if (CFilter* f = out->GetFilter(b))
            f->ResetBand(g_nGeqFreq[b]);
    out->RecalcCurve();
    if (!m_bLinked)
        return;
    out->PutChannelRecords();
    m_SendQueue.AddSendData(BuildWholeBlockPacket(0, BLOCK_OUTPUT, nCh, TRUE));
}

void CKRV330View::ResetOutputEqFrequencies()
{
    const int ch = g_nCurOutput;
    if (ch < 0 || ch >= OUTPUT_CHANNELS)
        return;
    {
        CSingleLock lock(g_csComm);
        // Offline the bands are reset in the model only: no mute wrap is left for the next link.
        if (m_bLinked)
            HoldSystemOutput(FALSE);
        ResetOutputEqChannel(ch);
        for (int i = 0; i < OUTPUT_CHANNELS; ++i)
            if (i != ch && g_nLinkGroup[i] == g_nLinkGroup[ch])
                ResetOutputEqChannel(i);
        if (m_bLinked)
            HoldSystemOutput(TRUE);
    }
    m_OutputPage.UpdateBands();
}

// ---------------------------------------------------------------------------------------------
// Scene writes

void CKRV330View::WriteSceneToDevice(int nScene, BOOL bPack)
{
    if (!m_bLinked) {
        if (nScene > 0)
            ShowConnectFailure();
        return;
    }
    m_nBatchCount = 0;
    CSingleLock lock(g_csComm);  // scene 0: the caller holds it already; taken again
    if (bPack) {
        if (m_pScene)
            m_pScene->PackAll();
    } else {
        HoldSystemOutput(FALSE);
    }
    g_byCurScene = BYTE(nScene);
    QueueCounted(m_SendQueue, BuildCommand(SYS_SCENE_NAME, nScene), m_nBatchCount++);
    if (bPack) {
        QueueCounted(m_SendQueue, BuildCommand(SYS_SCENE_NAME, 0), m_nBatchCount++);
        QueueCounted(m_SendQueue, BuildCommand(SYS_SCENE_SELECT, 0), m_nBatchCount++);
    }
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
        std::unique_ptr<CSendData> item = BuildWholeBlockPacket(nScene, BLOCK_OUTPUT, ch, TRUE);
        if (item && ch == OUTPUT_CHANNELS - 1)
            item->SetLastWrite(TRUE);
        QueueCounted(m_SendQueue, std::move(item), m_nBatchCount++);
    }
    if (!bPack)
        HoldSystemOutput(TRUE);
    g_bSceneModified = 0;
    m_Progress.SetRange(0, m_nBatchCount);
    ResetTransferProgress();
    g_bTransferBusy = 1;
    ShowTransferPopup(1);
}

void CKRV330View::WriteAllScenesToDevice()
{
    if (!m_bLinked)
        return;
    CSingleLock lock(g_csComm);  // the caller holds it; taken again
    m_nBatchCount = 0;
    const BYTE savedSwitch = g_bySysParams[4];
    HoldSystemOutput(FALSE);
    m_SendQueue.AddSendData(BuildCommand(SYS_SPEAKER_TYPES, 0));
    m_SendQueue.AddSendData(BuildCommand(SYS_STATE_RECORD, 0));
    for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch)
        QueueCounted(m_SendQueue, BuildWholeBlockPacket(0, BLOCK_OUTPUT, ch, TRUE), m_nBatchCount++);
    for (int s = 1; s <= STORED_SCENES; ++s) {
        QueueCounted(m_SendQueue, BuildCommand(SYS_SCENE_NAME, s), m_nBatchCount++);
        for (int ch = 0; ch < OUTPUT_CHANNELS; ++ch) {
            std::unique_ptr<CSendData> item = BuildWholeBlockPacket(s, BLOCK_OUTPUT, ch, FALSE);
            if (item && s == STORED_SCENES && ch == OUTPUT_CHANNELS - 1)
                item->SetLastWrite(TRUE);
            QueueCounted(m_SendQueue, std::move(item), m_nBatchCount++);
        }
    }
    // The saved switch goes back in with command 5 below, not with a restore of its own.
    g_bySysParams[4] = savedSwitch;
    m_SendQueue.AddSendData(BuildCommand(SYS_INPUT_SOURCE, 0));
    m_SendQueue.AddSendData(BuildCommand(SYS_MASTER_LEVEL, 0));
    m_SendQueue.AddSendData(BuildCommand(SYS_GROUP8, 0));
    g_bSceneModified = 0;
    m_Progress.SetRange(0, m_nBatchCount);
    ResetTransferProgress();
    g_bTransferBusy = 1;
    ShowTransferPopup(1);
}
