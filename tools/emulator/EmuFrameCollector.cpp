#include "EmuFrameCollector.h"

#include <utility>

void CEmuFrameCollector::Push(const BYTE* data, size_t n, std::vector<CEmuFrame>& frames)
{
    for (size_t i = 0; i < n; ++i) {
        const BYTE b = data[i];
        if (!m_bSynced) {
            if (b == EMU_PREAMBLE) {
                ++m_nPreamble;
            } else if (b == EMU_SYNC && m_nPreamble >= 3) {
                // Longer runs of 0x91 are taken as line noise before a good preamble.
                m_bSynced = true;
                m_nPreamble = 0;
                m_frame.assign({EMU_PREAMBLE, EMU_PREAMBLE, EMU_PREAMBLE, EMU_SYNC});
            } else {
                m_nPreamble = 0;
            }
            continue;
        }
        m_frame.push_back(b);
        if (m_frame.size() < size_t(EMU_HEADER_SIZE))
            continue;
        const int len = int(m_frame[EMU_POS_LENGTH]) | (int(m_frame[EMU_POS_LENGTH + 1]) << 8);
        if (len > EMU_MAX_REQUEST_PAYLOAD) {
            frames.emplace_back(std::move(m_frame), true);
            Reset();
            continue;
        }
        if (m_frame.size() == size_t(EMU_FRAME_OVERHEAD + len)) {
            frames.emplace_back(std::move(m_frame));
            Reset();
        }
    }
}

void CEmuFrameCollector::Reset()
{
    m_nPreamble = 0;
    m_bSynced = false;
    m_frame.clear();
}
