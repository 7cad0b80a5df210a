// CKTVCommand: the receive entry points, the frame collector and the frame check.
#include "CKTVCommand.h"

#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"

#include <algorithm>
#include <cstring>

namespace {

// Positions in the collected frame (from the 0xEE byte).
constexpr int POS_CODE = 1;
constexpr int POS_SCENE = 3;
constexpr int POS_TYPE = 4;
constexpr int POS_CHANNEL = 5;
constexpr int POS_RECORD = 6;
constexpr int POS_LENGTH = 9;  // N, two bytes little endian
constexpr int PREAMBLE_COUNT = 3;

}  // namespace

BOOL CKTVCommand::OnUsbReceive(int n)
{
    if (n <= 0)
        return TRUE;
    CSingleLock lock(g_csComm);
    const int count = std::min(n - 1, USB_REPORT_DATA);
    std::memcpy(m_byRecvChunk, g_byUsbInReport + 1, USB_REPORT_DATA);
    std::memset(g_byUsbInReport + 1, 0, USB_REPORT_DATA);
    return CollectFrame(count);
}

BOOL CKTVCommand::OnNetReceive(int n)
{
    CSingleLock lock(g_csComm);
    const int count = std::clamp(n, 0, std::min(NET_RECV_BUFFER_SIZE, RECV_CHUNK_SIZE));
    std::memcpy(m_byRecvChunk, g_byNetRecvBuf, size_t(count));
    std::memset(g_byNetRecvBuf, 0, size_t(count));
    return CollectFrame(count);
}

BOOL CKTVCommand::OnSerialReceive(BYTE byte)
{
    CSingleLock lock(g_csComm);
    m_byRecvChunk[0] = byte;
    return CollectFrame(1);
}

BOOL CKTVCommand::CollectFrame(int n)
{
    CSingleLock lock(g_csComm);
    n = std::min(n, RECV_CHUNK_SIZE);
    BOOL result = FALSE;
    for (int i = 0; i < n; ++i) {
        const BYTE b = m_byRecvChunk[i];
        if (!m_bSynced) {
            if (b == FRAME_PREAMBLE) {
                ++m_nPreamble;
                g_byCommStatus[10] = 1;
                g_byCommStatus[11] = 0;
            } else if (b == FRAME_SYNC && m_nPreamble == PREAMBLE_COUNT) {
                m_bSynced = 1;
                m_nPreamble = 0;
                m_nRecvCount = 0;
                m_nRecvLength = 0;
                m_byRecvFrame[m_nRecvCount++] = b;
            } else {
                // Exactly three 0x91 must stand before the 0xEE.
                m_nPreamble = 0;
            }
            continue;
        }

        m_byRecvFrame[m_nRecvCount++] = b;
        if (m_nRecvCount == RECV_PAYLOAD_POS) {
            // The header up to N is in.
            const int length = m_byRecvFrame[POS_LENGTH] + 256 * m_byRecvFrame[POS_LENGTH + 1] + RECV_FRAME_OVERHEAD;
            if (length > MAX_REPLY_LENGTH) {
                // No reply is that long: drop the header at once rather than collect garbage,
                // and look for the next preamble in what follows.
                ResetRecv();
                continue;
            }
            m_nRecvLength = length;
        }
        if (m_nRecvCount >= RECV_FRAME_OVERHEAD && m_nRecvCount == m_nRecvLength) {
            // One reply per request: whatever follows in this read is not kept.
            g_byCommStatus[1] = 1;
            result = CmdCallback();
            break;
        }
    }
    std::memset(m_byRecvChunk, 0, size_t(std::max(n, 0)));
    return result;
}

void CKTVCommand::ResetRecv()
{
    CSingleLock lock(g_csComm);
    m_nRecvCount = 0;
    m_nRecvLength = 0;
    m_bSynced = 0;
    m_nPreamble = 0;
    std::memset(m_byRecvFrame, 0, sizeof(m_byRecvFrame));
}

BOOL CKTVCommand::CmdCallback()
{
    CSingleLock lock(g_csComm);
    const int length = m_nRecvLength;
    if (length < RECV_FRAME_OVERHEAD || m_nRecvCount != length)
        return FALSE;  // no whole frame collected
    BYTE check = 0;
    for (int i = POS_CODE; i <= length - 3; ++i)
        check ^= m_byRecvFrame[i];
    const BOOL intact = m_byRecvFrame[length - 1] == FRAME_END && m_byRecvFrame[length - 2] == check;

    if (intact) {
        m_nReplyCode = m_byRecvFrame[POS_CODE];
        m_nScene = m_byRecvFrame[POS_SCENE];
        m_nBlockType = m_byRecvFrame[POS_TYPE];
        m_nChannel = m_byRecvFrame[POS_CHANNEL];
        m_nRecord = m_byRecvFrame[POS_RECORD];
        m_nPayloadLen = m_byRecvFrame[POS_LENGTH] + 256 * m_byRecvFrame[POS_LENGTH + 1];
    }
    // An empty data reply is the device asking for firmware, whatever its other fields say.
    if (!intact || (m_nReplyCode == REPLY_DATA && m_nPayloadLen > 0 && !IsDataReplyUsable())) {
        // Dropped silently: the head stays and the transport's time-out decides.
        ResetRecv();
        g_byCommStatus[5] = 1;
        return FALSE;
    }

    // A rejected request has not been carried out: it moves no bar and ends no transfer or
    // update (a rejected end step must never read as a finished update).
    if (m_nReplyCode != REPLY_REJECT)
        UpDataPGRange();

    BOOL result = TRUE;
    switch (m_nReplyCode) {
    case REPLY_ACK:
        NotifyCurSendData(TRUE);
        RemoveCurSendData();
        break;
    case REPLY_REJECT: {
        const CSendData* rejected = GetCurSendData();
        RewindCurSendData();
        NotifyCurSendData(FALSE);  // a notify request leaves the queue here
        if (rejected && GetCurSendData() == rejected)
            MarkCurSendDataRejected();
        result = FALSE;
        break;
    }
    case REPLY_DATA:
        OnDataReply();
        break;
    default:
        break;
    }
    ResetRecv();
    return result;
}

BOOL CKTVCommand::IsDataReplyUsable() const
{
    const int n = m_nPayloadLen;
    const BYTE* payload = m_byRecvFrame + RECV_PAYLOAD_POS;
    switch (m_nBlockType) {
    case BLOCK_MUSIC:
    case BLOCK_OUTPUT:
        // A block reply is copied whole to the start of its block.
        return SceneImageOf(m_nScene) != nullptr && BlockOffset(m_nBlockType, m_nChannel) >= 0 &&
               n == BlockSize(m_nBlockType);
    case BLOCK_SYSTEM:
        break;
    default:
        return TRUE;  // nothing is copied
    }

    int offset = 0;
    int size = 0;
    switch (m_nChannel) {
    case SYS_SCENE_NAME:
        return SceneImageOf(m_nScene) != nullptr && n >= NAME_REPLY_BYTES;
    case SYS_STATE_POLL:
        return n <= DEVICE_INFO_COUNT;
    case SYS_VERSION:
        return n >= DEVICE_VERSION_LENGTH;
    case SYS_SCENE_SELECT:
        return payload[0] <= STORED_SCENES;
    case SYS_MODE_BLOCK:
        FindSystemWindow(SYS_MODE_BLOCK, offset, size);
        return n == size;
    case SYS_INPUT_SOURCE:
    case SYS_MASTER_LEVEL:
    case SYS_SPEAKER_TYPES:
    case SYS_STATE_RECORD:
    case SYS_GROUP8:
        FindSystemWindow(m_nChannel, offset, size);
        return n >= size;
    default:
        return TRUE;  // nothing is copied
    }
}
