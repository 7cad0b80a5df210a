// The device's receiver: turns a byte stream, cut anywhere, into request frames.
//
// Bytes outside a frame are skipped until at least three 0x91 followed by 0xEE; a frame then
// runs for 16 + N bytes, whatever those bytes hold (a payload may contain the preamble).
// Several frames in one push are all returned, in order. A declared N above the largest
// request payload is returned as an overlong header at once and the receiver starts looking
// for the next preamble right after that header. Not thread-safe: its owner locks.
#pragma once

#include "EmuProtocol.h"

#include <vector>

class CEmuFrameCollector {
public:
    // Takes n bytes; every frame completed by them is appended to frames.
    void Push(const BYTE* data, size_t n, std::vector<CEmuFrame>& frames);
    // Forgets a partly collected frame (a new connection starts clean).
    void Reset();
    // True while a frame has been started but not completed.
    bool IsCollecting() const { return m_bSynced; }

private:
    int m_nPreamble = 0;    // 0x91 bytes seen in a row while unsynced
    bool m_bSynced = false;
    std::vector<BYTE> m_frame;  // the frame being collected, preamble included
};
