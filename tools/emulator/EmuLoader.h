// The processor's firmware loader, as the emulated device runs it behind IEmuFirmwareSide.
//
// Modes: running (the normal firmware) → entry asked (the host sent the loader-entry report,
// at least 8 pairs 'C', 0x11 in a row, outside any frame) → loader (apply 0x36 answered; the
// device restarts into it) → updated (the end step 0x39 answered with the right check byte;
// the device runs its new firmware, and a new update starts from the entry again).
//
// Steps and answers ('Q' echoes the request's fields, 'R' rejects):
//   0xFF  (as a frame) counts as the entry report; 'Q'.
//   0x36  apply: after the entry, 'Q' and a restart (SetApplyRestartMs); in the loader 'Q'
//         without restart; before the entry 'R'.
//   0x3A  DSP request: the loader erases its DSP image and expects address 0; 'Q'.
//   0x3B  DSP data: 4-byte address (little endian) and 44 bytes; the address must be the next
//         one; the last block holds 35 bytes of the 0x3FFFF-byte image. 'Q', else 'R'.
//   0x37  start: the 4-byte start record. This loader reads it as the controller body's
//         length in bytes (little endian), which is how its check knows where the 0xFF fill of
//         the last block begins. 'Q'.
//   0x38  data: 48 controller body bytes appended. 'Q' after a start, else 'R'.
//   0x39  end: one check byte; with a controller part it must be 0x12 XOR the body's first
//         <length> bytes (all of them must have come), without one 0x12 XOR the whole DSP
//         image. 'Q' and updated, else 'R'.
//   0x3C  DSP end: 'Q'.
// Every step but 0xFF and 0x36 is rejected outside the loader.
//
// Faults for tests: reject, leave unanswered, or drop the link at the n-th time a step comes.
//
// Thread: the emulator calls the IEmuFirmwareSide members with itself locked; the accessors
// may be called from any thread (one lock of its own guards everything).
#pragma once

#include "EmuFirmwareSide.h"

#include <map>
#include <mutex>
#include <vector>

constexpr int EMU_DSP_IMAGE_SIZE = 0x3FFFF;
constexpr int EMU_DSP_BLOCK = 44;
constexpr int EMU_MCU_BLOCK = 48;
constexpr int EMU_LOADER_ENTRY_PAIRS = 8;  // pairs in a row that ask for the loader
constexpr BYTE EMU_CHECK_SEED = 0x12;

class CEmuLoader : public IEmuFirmwareSide {
public:
    enum class EMode { Running, EntryAsked, Loader, Updated };
    enum class EFault { Reject, Silent, DropLink };

    void OnRawBytes(const BYTE* data, size_t n) override;
    CEmuOutcome OnFirmwareStep(const CEmuFrame& request) override;

    // The restart after apply, ms of device clock; -1: the device stays on the link.
    // Default 1000.
    void SetApplyRestartMs(int ms);
    // The nth (1-based) time step comes, fault instead of the normal answer. Several faults
    // may be armed; each fires once.
    void AddFault(BYTE step, int nth, EFault fault);

    EMode GetMode() const;
    // Times each step has come (faulted ones included).
    int GetStepCount(BYTE step) const;
    // What the loader has received of the images.
    std::vector<BYTE> GetDspImage() const;
    std::vector<BYTE> GetMcuStartRecord() const;
    std::vector<BYTE> GetMcuBody() const;
    // Updates completed (end step answered 'Q').
    int GetUpdateCount() const;

private:
    CEmuOutcome Answer(const CEmuFrame& request, bool ok) const;
    bool EndCheckMatches(BYTE check) const;

    mutable std::mutex m_mutex;  // guards everything below
    EMode m_eMode = EMode::Running;
    int m_nRestartMs = 1000;
    int m_nPairs = 0;           // entry pairs seen in a row
    bool m_bWantSecond = false; // the next entry byte is 0x11
    bool m_bDspPhase = false;
    bool m_bMcuPhase = false;
    DWORD m_dwNextAddress = 0;
    std::vector<BYTE> m_dsp;
    std::vector<BYTE> m_mcuStart;
    std::vector<BYTE> m_mcuBody;
    int m_nUpdates = 0;
    std::map<BYTE, int> m_counts;
    std::map<std::pair<BYTE, int>, EFault> m_faults;
};
