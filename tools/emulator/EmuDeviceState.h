// The processor's memory and its answer to one request, as pure code (no locking, no I/O).
//
// Memory: the live scene (0), six stored scenes (1..6), the 124-byte system block, the 30-byte
// state-poll answer and the 11-character version text. Factory state: the start values the
// program itself gives its images; stored scenes hold the same settings as the live one with
// a blank name (15 blanks and a 0), the live name is empty.
//
// Answers:
//  - 'Q' (16 bytes, N = 0) to every write it carries out. The fields from address to reserved
//    echo the request, so a loader step can be matched by its channel byte.
//  - 'R' (same shape) to what it cannot serve: bad check or end byte, payload larger than any
//    request, code other than A1/A2, scene above 6, unknown block type, channel or record out of
//    range, payload length that fits no write, unknown or read-only sub-command, scene select
//    above 6, firmware steps while no loader is plugged in.
//  - 'S' to reads: address, scene, block type, channel and record echo the request, link flag
//    and reserved byte are 0, then N and the data:
//      block read, record 0x77: the block of that scene (microphone 112, effect the first 96,
//        music 288, output 296 bytes);
//      block read, record 0, scene 1..6 (recall): that block of the stored scene; the device
//        also copies it and the scene name into the live scene and takes the scene as in use;
//        record 0 with scene 0 reads the live block; any other record byte is rejected;
//      system 0: 16 bytes, the 15 name bytes of the scene in the scene byte, then 0;
//      2, 5, 6, 7, 8: the 8 bytes of their windows; 52: 1 byte, the scene in use;
//      64: 82 bytes; 3: the 30 state bytes; 4: the 11 version bytes; 0xCC: one 0 byte.
// Writes: single records (N = 8) at the record of the addressed scene; whole blocks (record 0,
// N = block size, effect 96) to the start of the block; system windows 0, 2, 5, 6, 7, 8, 52,
// 64 into their bytes. 52 only marks the scene in use (the program recalls by block reads).
// 96 restores the factory state (its 8-byte record is carried, the factory values win); 65
// answers 'Q' and restarts the Wi-Fi module. The link flag is not acted on: the program sends
// every linked channel its own frame. The address byte is not checked.
#pragma once

#include "EmuFirmwareSide.h"
#include "EmuProtocol.h"

#include <array>
#include <string>

class CEmuDeviceState {
public:
    using SceneImage = std::array<BYTE, EMU_SCENE_SIZE>;

    CEmuDeviceState();

    // Restores every image, the system block and the state bytes to the factory state.
    // The version text and the plugged-in loader are kept.
    void FactoryReset();

    // The device's answer to one complete (or overlong) request.
    CEmuOutcome Serve(const CEmuFrame& request);

    // Scene 0 live, 1..6 stored; null for any other number.
    SceneImage* Scene(int n);
    const SceneImage* Scene(int n) const;
    std::array<BYTE, EMU_SYSTEM_SIZE>& System() { return m_system; }
    const std::array<BYTE, EMU_SYSTEM_SIZE>& System() const { return m_system; }
    std::array<BYTE, EMU_STATE_INFO_SIZE>& StateInfo() { return m_stateInfo; }
    const std::array<BYTE, EMU_STATE_INFO_SIZE>& StateInfo() const { return m_stateInfo; }
    // Version text: exactly 11 characters (cut, or filled with blanks).
    void SetVersion(const std::string& text);
    const std::string& GetVersion() const { return m_strVersion; }
    // Loader that answers firmware steps; not owned, null for none.
    void SetFirmwareSide(IEmuFirmwareSide* side) { m_pFirmware = side; }
    IEmuFirmwareSide* GetFirmwareSide() const { return m_pFirmware; }
    // Number of Wi-Fi module restarts asked for (sub-command 65).
    int GetWifiResetCount() const { return m_nWifiResets; }

private:
    CEmuOutcome ServeBlock(const CEmuFrame& req);
    CEmuOutcome ServeSystemWrite(const CEmuFrame& req);
    CEmuOutcome ServeSystemRead(const CEmuFrame& req);

    SceneImage m_scenes[1 + EMU_STORED_SCENES];
    std::array<BYTE, EMU_SYSTEM_SIZE> m_system;
    std::array<BYTE, EMU_STATE_INFO_SIZE> m_stateInfo;
    std::string m_strVersion;
    IEmuFirmwareSide* m_pFirmware = nullptr;
    int m_nWifiResets = 0;
};

// Reply frames of the device, built from the request they answer.
std::vector<BYTE> MakeEmuAck(const CEmuFrame& req);
std::vector<BYTE> MakeEmuReject(const CEmuFrame& req);
std::vector<BYTE> MakeEmuData(const CEmuFrame& req, const BYTE* payload, size_t n);
