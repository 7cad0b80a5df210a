// CKTV_Data::GetNextSendData: the change scanner. The comm worker calls it whenever the send
// queue is empty; each call turns the first pending change into one frame, so a burst of edits
// drains one record per exchange with the device, and an idle link keeps polling the state.
#include "CKTV_Data.h"

#include "AppMessages.h"
#include "FixedField.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "RecordFields.h"
#include "SceneImage.h"

namespace {

// "Custom" into the live image's name field, without any box: this runs on the worker.
void WriteCustomName()
{
    PutNameField(g_Scene + SCENE_NAME_OFFSET, SCENE_NAME_SIZE - 1, g_strCustomName);
    g_Scene[SCENE_NAME_OFFSET + SCENE_NAME_SIZE - 1] = 0;
}

std::unique_ptr<CSendData> NameChanged()
{
    PostMessage(g_hMainViewWnd, WM_SCENE_NAME_CHANGED, 0, 0);
    return BuildCommand(SYS_SCENE_NAME, 0);
}

// Entry of the first stamped band (entries before the two crossovers), or -1.
int FirstStampedBand(const CKTVEQ& eq)
{
    for (int i = 0; i < eq.GetSize() - 2; ++i) {
        if (eq.GetAt(i)->GetModified())
            return i;
    }
    return -1;
}

// Steps the band's reference (it stays stamped while it has octaves to go) and packs it; the
// frame carries the band's own record number.
template <class Channel>
std::unique_ptr<CSendData> SendBand(Channel& channel, int nEntry)
{
    CFilter* band = channel.GetFilter(nEntry);
    band->SetModified(0);
    return channel.PutBandRecord(nEntry, band->GetBandIndex());
}

}  // namespace

std::unique_ptr<CSendData> CKTV_Data::GetNextSendData()
{
    std::unique_ptr<CSendData> frame;
    if (g_bPendingSys5) {
        g_bPendingSys5 = 0;
        frame = BuildCommand(SYS_MASTER_LEVEL, 0);
    } else if (g_bPendingSys2) {
        g_bPendingSys2 = 0;
        frame = BuildCommand(SYS_INPUT_SOURCE, 0);
    } else if (g_bSendSceneName) {
        g_byCurScene = 0;
        g_bSendSceneName = 0;
        frame = BuildCommand(SYS_SCENE_NAME, 0);
    } else if (g_bSceneModified) {
        frame = ScanSceneName();
    }
    for (int i = 0; !frame && i < m_MusicRoute.GetSize(); ++i)
        frame = ScanMusic(*m_MusicRoute.GetAt(i));
    for (int i = 0; !frame && i < m_OutRoute.GetSize(); ++i)
        frame = ScanOutput(*m_OutRoute.GetAt(i));
    if (!frame)
        frame = BuildBlockPacket(BLOCK_STATE_POLL, 0, 0);
    return frame;
}

// Once anything of the live scene has changed, the live scene is called "Custom" and the
// device is told so; the view's handler of the message shows it and asks for the name once
// more (g_bSendSceneName). Until then a stored scene in use keeps the name going out.
std::unique_ptr<CSendData> CKTV_Data::ScanSceneName()
{
    m_strName = FieldToString(g_Scene + SCENE_NAME_OFFSET, SCENE_NAME_SIZE);
    if (m_strName != g_strCustomName) {
        WriteCustomName();
        return NameChanged();
    }
    if (g_byCurScene != 0)
        return NameChanged();
    if (g_strSceneNameBuf != g_strCustomName) {
        g_strSceneNameBuf = g_strCustomName;
        WriteCustomName();
        return NameChanged();
    }
    return nullptr;
}

std::unique_ptr<CSendData> CKTV_Data::ScanMusic(CMusic_InData& music)
{
    std::unique_ptr<CSendData> frame;
    if (music.IsVolumeModified()) {
        music.SetVolumeModified(0);
        frame = music.PutVolumeRecord(TRUE);
    } else if (music.IsNoiseGateModified()) {
        music.SetNoiseGateModified(0);
        frame = music.PutNoiseGateRecord(TRUE);
    } else if (const int nBand = FirstStampedBand(music.GetEq()); nBand >= 0) {
        frame = SendBand(music, nBand);
    }
    if (frame)
        g_bSceneModified = 1;
    return frame;
}

std::unique_ptr<CSendData> CKTV_Data::ScanOutput(CKTV_OutData& out)
{
    std::unique_ptr<CSendData> frame;
    if (out.IsNameModified()) {
        out.SetNameModified(0);
        frame = out.PutNameRecord();
    } else if (out.IsLevelModified()) {
        out.SetLevelModified(0);
        frame = out.PutLevelRecord(TRUE);
    } else if (out.TakeFilterChanges()) {
        frame = out.PutFiltersRecord(TRUE);
    } else if (out.IsMixBModified()) {
        out.SetMixBModified(0);
        frame = out.PutMixBRecord(TRUE);
    } else if (out.IsLimitModified()) {
        out.SetLimitModified(0);
        frame = out.PutLimitRecord(TRUE);
    } else if (out.IsMixAModified()) {
        out.SetMixAModified(0);
        frame = out.PutMixARecord(TRUE);
    } else if (const int nBand = FirstStampedBand(out.GetEq()); nBand >= 0) {
        frame = SendBand(out, nBand);
    }
    if (frame)
        g_bSceneModified = 1;
    return frame;
}
