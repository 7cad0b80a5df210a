// The firmware update file, read and checked before anything is sent.
//
// Two forms (L = file length):
//   controller only, L < 0x40004:  "WMCU", then the controller image (L - 4 bytes);
//   full, L >= 0x40004:            "WDSP", the DSP image (0x3FFFF bytes), one byte not read,
//                                  then either nothing (L = 0x40004: DSP part only) or "WMCU"
//                                  at 0x40004 and the controller image from 0x40008 to the end.
// The controller image is a 4-byte start record followed by the body, so it holds at least
// 5 bytes. A file that is too short for its tags and images, whose tags are wrong (a long file
// that starts with "WMCU" included), or whose length says there is more than its tags account
// for is refused as a whole: nothing of it is ever queued.
//
// Pure code over bytes (Parse) with one file read (Load); no thread of its own.
#pragma once

#include "WinTypes.h"

#include <vector>

constexpr int FW_TAG_SIZE = 4;
constexpr int FW_DSP_IMAGE_SIZE = 0x3FFFF;      // bytes of the DSP image
constexpr int FW_FULL_FILE_SIZE = 0x40004;      // from this length on the file has a DSP part
constexpr int FW_MCU_TAG_OFFSET = 0x40004;      // "WMCU" of a full file
constexpr int FW_MCU_IMAGE_OFFSET = 0x40008;
constexpr int FW_MCU_START_SIZE = 4;            // start record sent with step 0x37
constexpr int FW_MCU_BLOCK = 48;                // controller body bytes per data step 0x38
constexpr int FW_DSP_BLOCK = 44;                // DSP bytes per data step 0x3B
constexpr int FW_DSP_WHOLE_BLOCKS = FW_DSP_IMAGE_SIZE / FW_DSP_BLOCK;  // 5957
constexpr BYTE FW_CHECK_SEED = 0x12;            // the check byte starts from this

class CFirmwareFile {
public:
    enum class EResult {
        Ok,
        CannotOpen,      // the file could not be read
        TooShort,        // too short for a tag, the DSP image or a controller image
        BadTag,          // a tag that is not where the length puts it
        LengthMismatch,  // bytes after the DSP part that no tag accounts for
    };

    // Checks and takes the bytes of a whole file. On any result but Ok the object is empty.
    EResult Parse(const std::vector<BYTE>& file);
    // Reads the file at path (UTF-8) and parses it.
    EResult Load(const CString& path);
    void Clear();

    bool HasDspImage() const { return !m_dsp.empty(); }
    bool HasMcuImage() const { return !m_mcu.empty(); }
    const std::vector<BYTE>& GetDspImage() const { return m_dsp; }
    // Start record and body.
    const std::vector<BYTE>& GetMcuImage() const { return m_mcu; }
    // 0x12 XOR every body byte of the controller image (the start record is not included).
    BYTE GetMcuCheck() const { return m_byMcuCheck; }
    // 0x12 XOR every DSP image byte: what the end step of a file without controller part carries.
    BYTE GetDspCheck() const { return m_byDspCheck; }
    // The progress count B: (L - 5 - 0x3FFFF) / 48 + 5957 with a DSP part, else L / 48.
    int GetProgressCount() const { return m_nProgressCount; }

    // TRUE when the file name's extension is exactly "bin" (case-sensitive).
    static BOOL IsUpdateFileName(const CString& path);

private:
    std::vector<BYTE> m_dsp;
    std::vector<BYTE> m_mcu;
    BYTE m_byMcuCheck = FW_CHECK_SEED;
    BYTE m_byDspCheck = FW_CHECK_SEED;
    int m_nProgressCount = 0;
};
