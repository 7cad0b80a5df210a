// Shared parts of the firmware update tests: update files made here, a progress bar and a
// status line that record what the update shows, and the check of what they recorded.
//
// The emulated loader reads a controller start record as the body length (little endian), so
// every controller image made here starts with its body length.
#pragma once

#include "FirmwareFile.h"
#include "LinkProgress.h"
#include "LinkTexts.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace fwkit {

using Bytes = std::vector<BYTE>;

inline Bytes Tag(const char* tag) { return Bytes(tag, tag + 4); }

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// n bytes k * 13 + seed.
inline Bytes Pattern(size_t n, int seed)
{
    Bytes out(n);
    for (size_t k = 0; k < n; ++k)
        out[k] = BYTE(k * 13 + size_t(seed));
    return out;
}

// Start record (the body length) and body.
inline Bytes McuImage(int bodyLength, int seed = 5)
{
    const DWORD n = DWORD(bodyLength);
    return Concat({{BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)}, Pattern(size_t(bodyLength), seed)});
}

inline Bytes DspImage(int seed = 9) { return Pattern(FW_DSP_IMAGE_SIZE, seed); }

inline Bytes ControllerFile(int bodyLength) { return Concat({Tag("WMCU"), McuImage(bodyLength)}); }

// "WDSP", the DSP image, one byte the program does not read, then the controller part if any.
inline Bytes FullFile(int bodyLength)
{
    Bytes file = Concat({Tag("WDSP"), DspImage(), {0x5A}});
    if (bodyLength > 0)
        file = Concat({file, Tag("WMCU"), McuImage(bodyLength)});
    return file;
}

// 0x12 XOR the bytes.
inline BYTE CheckOf(const Bytes& bytes)
{
    BYTE c = 0x12;
    for (BYTE b : bytes)
        c ^= b;
    return c;
}

// Writes the file into the test program's private folder; returns its path.
inline std::string WriteFile(const std::string& name, const Bytes& bytes)
{
    const std::string path = TestEnv::TempDir() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

// The update dialog's bar: every position set, in order.
class RecordingProgress : public ILinkProgress {
public:
    explicit RecordingProgress(int upper) : m_upper(upper) {}
    void SetPos(int pos) override
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        m_pos = std::min(std::max(pos, 0), m_upper);
        m_positions.push_back(m_pos);
    }
    int GetPos() const override
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_pos;
    }
    int GetUpper() const override { return m_upper; }
    std::vector<int> Positions() const
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_positions;
    }

private:
    const int m_upper;
    mutable std::mutex m_mutex;
    int m_pos = 0;
    std::vector<int> m_positions;
};

// The status line: every text shown, a run of the same text kept once.
class RecordingTip : public ILinkStatusText {
public:
    void SetText(const CString& text) override
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        if (m_texts.empty() || m_texts.back() != text)
            m_texts.push_back(text);
    }
    std::vector<CString> Texts() const
    {
        std::lock_guard<std::mutex> lk(m_mutex);
        return m_texts;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<CString> m_texts;
};

// The bar of a finished update: it moved one step per answered item, never down, stayed
// below its top until the last step and ended there.
inline void ExpectBarOfASuccess(const RecordingProgress& bar, size_t answeredSteps)
{
    const std::vector<int> pos = bar.Positions();
    ASSERT_EQ(pos.size(), answeredSteps);
    for (size_t i = 1; i < pos.size(); ++i)
        ASSERT_LE(pos[i - 1], pos[i]) << "step " << i;
    for (size_t i = 0; i + 1 < pos.size(); ++i)
        ASSERT_LT(pos[i], bar.GetUpper()) << "full before the end, step " << i;
    EXPECT_EQ(pos.back(), bar.GetUpper());
}

// The bar of a failed update: never full.
inline void ExpectBarNeverFull(const RecordingProgress& bar)
{
    for (int p : bar.Positions())
        ASSERT_LT(p, bar.GetUpper());
}

}  // namespace fwkit
