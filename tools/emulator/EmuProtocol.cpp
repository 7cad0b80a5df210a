#include "EmuProtocol.h"

#include <utility>

CEmuFrame::CEmuFrame(std::vector<BYTE> bytes, bool overlong) : m_bytes(std::move(bytes)), m_bOverlong(overlong)
{
}

int CEmuFrame::PayloadLength() const
{
    return int(Field(EMU_POS_LENGTH)) | (int(Field(EMU_POS_LENGTH + 1)) << 8);
}

bool CEmuFrame::IsCheckGood() const
{
    const size_t n = m_bytes.size();
    if (m_bOverlong || n < size_t(EMU_FRAME_OVERHEAD))
        return false;
    return EmuXor(m_bytes.data() + EMU_POS_CODE, n - 2 - EMU_POS_CODE) == m_bytes[n - 2];
}

bool CEmuFrame::IsEndGood() const
{
    return !m_bOverlong && m_bytes.size() >= size_t(EMU_FRAME_OVERHEAD) && m_bytes.back() == EMU_END;
}

BYTE EmuXor(const BYTE* p, size_t n)
{
    BYTE x = 0;
    for (size_t i = 0; i < n; ++i)
        x ^= p[i];
    return x;
}

std::vector<BYTE> MakeEmuFrame(const BYTE fields8[8], const BYTE* payload, size_t n)
{
    std::vector<BYTE> f;
    f.reserve(EMU_FRAME_OVERHEAD + n);
    f.insert(f.end(), {EMU_PREAMBLE, EMU_PREAMBLE, EMU_PREAMBLE, EMU_SYNC});
    f.insert(f.end(), fields8, fields8 + 8);
    f.push_back(BYTE(n & 0xFF));
    f.push_back(BYTE((n >> 8) & 0xFF));
    if (n)
        f.insert(f.end(), payload, payload + n);
    f.push_back(EmuXor(f.data() + EMU_POS_CODE, f.size() - EMU_POS_CODE));
    f.push_back(EMU_END);
    return f;
}
