// CKTVCommand: what a checked reply does — data copies into the scene images and the system
// block, the notices to the main view, and the progress of counted and firmware transfers.
#include "CKTVCommand.h"

#include "AppMessages.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "LinkProgress.h"
#include "LinkTexts.h"

#include <cstring>

namespace {

constexpr LPARAM UPDATE_DONE = 57;  // lParam of WM_UPDATE_STEP_DONE when the update is over

// Firmware step codes (command codes of the firmware requests).
constexpr int HEX_APPLY = 0x36;
constexpr int HEX_START = 0x37;
constexpr int HEX_DATA = 0x38;
constexpr int HEX_END = 0x39;
constexpr int HEX_DSP_REQUEST = 0x3A;
constexpr int HEX_DSP_DATA = 0x3B;
constexpr int HEX_DSP_END = 0x3C;

const CString& Text(const CString& cn, const CString& en) { return g_bChinese ? cn : en; }

void ShowUpdateText(const CString& cn, const CString& en)
{
    if (g_pCurHexUpTip)
        g_pCurHexUpTip->SetText(Text(cn, en));
}

}  // namespace

void CKTVCommand::OnDataReply()
{
    const BYTE* payload = m_byRecvFrame + RECV_PAYLOAD_POS;
    const int n = m_nPayloadLen;

    if (g_bHandshake) {
        if (m_nBlockType == BLOCK_SYSTEM && m_nChannel == SYS_HANDSHAKE && n == 1 && payload[0] == 0) {
            RemoveCurSendData();
            g_bHandshake = 0;
        }
        return;
    }
    if (n == 0) {
        PostMessage(m_hNotifyWnd, WM_DEVICE_ERROR, 0, 0);
        g_bNeedFirmware = 1;
        return;
    }

    switch (m_nBlockType) {
    case BLOCK_MIC:
    case BLOCK_EFFECT:
        // Never sent to or read from the device; the answer only completes the request.
        break;
    case BLOCK_MUSIC:
    case BLOCK_OUTPUT: {
        // Record 0x77 of a stored scene fills that scene; a recall (record 0) and the live
        // scene fill the live image. Checked beforehand: the block exists and n is its size.
        const bool stored = m_nRecord == RECORD_WHOLE_BLOCK && m_nScene != 0;
        BYTE* image = stored ? StoredSceneImage(m_nScene) : g_Scene;
        std::memcpy(image + BlockOffset(m_nBlockType, m_nChannel), payload, size_t(n));
        if (m_nBlockType == BLOCK_OUTPUT && m_nChannel == OUTPUT_CHANNELS - 1) {
            // The last output block ends every scene read.
            if (m_nRecord != RECORD_WHOLE_BLOCK)
                PostMessage(m_hNotifyWnd, WM_SCENE_RECEIVED, WPARAM(m_nScene), 0);
            else if (m_nScene == STORED_SCENES)
                PostMessage(m_hNotifyWnd, WM_ALL_SCENES_RECEIVED, STORED_SCENES, 0);
            else if (m_nScene == 0)
                PostMessage(m_hNotifyWnd, WM_SCENE_RECEIVED, 0, 0);
        }
        break;
    }
    case BLOCK_SYSTEM:
        OnSystemReply();
        return;
    default:
        return;  // not a reply to anything the program asks: the head stays
    }
    RemoveCurSendData();
}

void CKTVCommand::OnSystemReply()
{
    const BYTE* payload = m_byRecvFrame + RECV_PAYLOAD_POS;
    const int n = m_nPayloadLen;
    int offset = 0;
    int size = 0;

    switch (m_nChannel) {
    case SYS_SCENE_NAME: {
        // 13 characters at most; control bytes become the terminator.
        BYTE* name = SceneImageOf(m_nScene) + SCENE_NAME_OFFSET;
        for (int k = 0; k < NAME_REPLY_BYTES; ++k)
            name[k] = payload[k] < 0x20 ? 0 : payload[k];
        name[NAME_REPLY_BYTES] = 0;
        name[NAME_REPLY_BYTES + 1] = 0;
        break;
    }
    case SYS_INPUT_SOURCE:
    case SYS_MASTER_LEVEL:
    case SYS_SPEAKER_TYPES:
    case SYS_STATE_RECORD:
    case SYS_GROUP8:
    case SYS_MODE_BLOCK:
        FindSystemWindow(m_nChannel, offset, size);
        std::memcpy(SystemBlockBytes() + offset, payload, size_t(size));
        if (m_nChannel == SYS_STATE_RECORD)
            PostMessage(m_hNotifyWnd, WM_SPEAKER_MAP_CHANGED, 1, 0);
        else if (m_nChannel == SYS_MODE_BLOCK)
            PostMessage(m_hNotifyWnd, WM_SPEAKER_MAP_CHANGED, 0, 0);
        break;
    case SYS_STATE_POLL:
        for (int k = 0; k < n; ++k)
            g_nDeviceInfo[k] = payload[k];
        PostMessage(m_hNotifyWnd, WM_INPUT_TYPE_RECEIVED, 0, LPARAM(n));
        break;
    case SYS_VERSION:
        std::memcpy(g_szDeviceVersion, payload, DEVICE_VERSION_LENGTH);
        g_szDeviceVersion[DEVICE_VERSION_LENGTH] = 0;
        PostMessage(m_hNotifyWnd, WM_VERSION_RECEIVED, 0, 0);
        break;
    case SYS_SCENE_SELECT: {
        const int scene = payload[0];
        if (scene != 0)
            std::memcpy(g_Scene + SCENE_NAME_OFFSET, StoredSceneImage(scene) + SCENE_NAME_OFFSET,
                        SCENE_NAME_SIZE - 1);
        g_byCurScene = BYTE(scene);
        break;
    }
    default:
        break;
    }
    RemoveCurSendData();
}

void CKTVCommand::UpDataPGRange()
{
    CSendData* head = GetCurSendData();
    if (!head)
        return;
    if (head->GetNoProgress()) {
        PostMessage(m_hNotifyWnd, WM_TRANSFER_DONE, 0, 0);
        return;
    }
    const int index = head->GetIndex();
    if (index == 0)
        return;  // the first request of a batch does not move the bar

    const int code = head->GetCommand();
    if (code == 0) {
        if (g_pProgress)
            g_pProgress->SetPos(index);
        if (head->IsLastWriteDone())
            PostMessage(m_hNotifyWnd, WM_TRANSFER_DONE, 0, 1);
        if (head->IsLastReadDone())
            PostMessage(m_hNotifyWnd, WM_TRANSFER_DONE, 0, 0);
        return;
    }

    // A firmware step. The bar stays one short of full until the update has ended.
    const int upper = g_pUpdateProgress ? g_pUpdateProgress->GetUpper() : 0;
    int pos = (g_pUpdateProgress ? g_pUpdateProgress->GetPos() : 0) + 1;
    const bool showText = !g_bAbortingUpdate;
    switch (code) {
    case HEX_APPLY:
        m_bHexShown = 0;
        if (showText)
            ShowUpdateText(g_strHexApplyCn, g_strHexApplyEn);
        break;
    case HEX_START:
        m_bHexShown = 0;
        break;
    case HEX_DATA:
        if (!m_bHexShown && showText)
            ShowUpdateText(g_strHexDataCn, g_strHexDataEn);
        if (pos == upper)
            --pos;
        m_bHexShown = 1;
        break;
    case HEX_END:
        if (showText)
            ShowUpdateText(g_strHexDoneCn, g_strHexDoneEn);
        pos = upper;
        m_bHexShown = 0;
        g_bUpdateDone = 1;
        PostMessage(m_hNotifyWnd, WM_UPDATE_STEP_DONE, 0, UPDATE_DONE);
        break;
    case HEX_DSP_REQUEST:
        if (showText)
            ShowUpdateText(g_strHexDataCn, g_strHexDataEn);
        m_bHexShown = 1;
        break;
    case HEX_DSP_DATA:
        if (showText)
            ShowUpdateText(g_strHexDataCn, g_strHexDataEn);
        if (pos == upper)
            --pos;
        m_bHexShown = 1;
        break;
    case HEX_DSP_END:
        // The update ends here unless the controller image follows.
        if (!g_bMcuImageLoaded) {
            if (showText)
                ShowUpdateText(g_strHexDoneCn, g_strHexDoneEn);
            pos = upper;
            PostMessage(m_hNotifyWnd, WM_UPDATE_STEP_DONE, 0, UPDATE_DONE);
        }
        m_bHexShown = 0;
        break;
    default:
        break;  // the loader entry
    }
    ++m_nSum_Pos;
    if (showText && g_pUpdateProgress)
        g_pUpdateProgress->SetPos(pos);
}

void CKTVCommand::FinishFirmwareUpdate()
{
    CSingleLock lock(g_csComm);
    ShowUpdateText(g_strHexDoneCn, g_strHexDoneEn);
    if (g_pUpdateProgress)
        g_pUpdateProgress->SetPos(g_pUpdateProgress->GetUpper());
    m_bHexShown = 0;
    g_bUpdateDone = 1;
    PostMessage(m_hNotifyWnd, WM_UPDATE_STEP_DONE, 0, UPDATE_DONE);
    RemoveCurSendData();
}
