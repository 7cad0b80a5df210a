// The processor's frame format and memory layout, as the emulated device knows them.
//
// Both directions use one frame: 91 91 91 EE, code, address, scene, block type, channel (the
// system sub-command when the block type is 9), record, link flag, reserved, N (16-bit little
// endian), N payload bytes, check (XOR of the code byte .. last payload byte), AA.
// The emulator is written from the protocol alone and shares no code with the program's own
// frame builders and reply engine, so that each checks the other.
#pragma once

#include "WinTypes.h"

#include <cstddef>
#include <vector>

// Frame bytes and codes.
constexpr BYTE EMU_PREAMBLE = 0x91;
constexpr BYTE EMU_SYNC = 0xEE;
constexpr BYTE EMU_END = 0xAA;
constexpr BYTE EMU_CODE_WRITE = 0xA1;
constexpr BYTE EMU_CODE_READ = 0xA2;
constexpr BYTE EMU_CODE_ACK = 0x51;     // 'Q'
constexpr BYTE EMU_CODE_REJECT = 0x52;  // 'R'
constexpr BYTE EMU_CODE_DATA = 0x53;    // 'S'

// Byte positions inside a frame (from the first preamble byte).
constexpr int EMU_POS_CODE = 4;
constexpr int EMU_POS_ADDRESS = 5;
constexpr int EMU_POS_SCENE = 6;
constexpr int EMU_POS_TYPE = 7;
constexpr int EMU_POS_CHANNEL = 8;
constexpr int EMU_POS_RECORD = 9;
constexpr int EMU_POS_LINK = 10;
constexpr int EMU_POS_RESERVED = 11;
constexpr int EMU_POS_LENGTH = 12;
constexpr int EMU_POS_PAYLOAD = 14;
constexpr int EMU_HEADER_SIZE = 14;     // preamble .. N
constexpr int EMU_FRAME_OVERHEAD = 16;  // header, check and end byte
// Largest request payload the device takes: a whole output block.
constexpr int EMU_MAX_REQUEST_PAYLOAD = 296;

// Block types.
constexpr BYTE EMU_TYPE_MIC = 1;
constexpr BYTE EMU_TYPE_EFFECT = 2;
constexpr BYTE EMU_TYPE_MUSIC = 3;
constexpr BYTE EMU_TYPE_OUTPUT = 4;
constexpr BYTE EMU_TYPE_SYSTEM = 9;
// Record byte of a read that asks for the whole block.
constexpr BYTE EMU_RECORD_WHOLE = 0x77;

// Scene image: 4984 bytes; stored scenes are numbered 1..6, scene 0 is the live one.
constexpr int EMU_SCENE_SIZE = 4984;
constexpr int EMU_STORED_SCENES = 6;
constexpr int EMU_NAME_SIZE = 16;  // 15 characters and a 0 byte
constexpr int EMU_RECORD_SIZE = 8;
constexpr int EMU_EFFECT_OFFSET = 32;
constexpr int EMU_EFFECT_RECORDS = 19;
constexpr int EMU_EFFECT_WIRE_SIZE = 96;  // whole-block transfers carry only the first 12 records
constexpr int EMU_MIC_OFFSET = 184;
constexpr int EMU_MIC_RECORDS = 14;
constexpr int EMU_MUSIC_OFFSET = 296;
constexpr int EMU_MUSIC_RECORDS = 36;
constexpr int EMU_MUSIC_CHANNELS = 6;
constexpr int EMU_OUTPUT_OFFSET = 2024;
constexpr int EMU_OUTPUT_RECORDS = 37;
constexpr int EMU_OUTPUT_CHANNELS = 10;

// System block: 124 bytes outside the scenes, read and written in fixed windows.
constexpr int EMU_SYSTEM_SIZE = 124;
constexpr int EMU_STATE_INFO_SIZE = 30;  // state-poll answer; byte 0 = input source group
constexpr int EMU_VERSION_SIZE = 11;

// System sub-commands (channel byte of block type 9).
constexpr BYTE EMU_SYS_NAME = 0;
constexpr BYTE EMU_SYS_SOURCE = 2;
constexpr BYTE EMU_SYS_POLL = 3;
constexpr BYTE EMU_SYS_VERSION = 4;
constexpr BYTE EMU_SYS_MASTER = 5;
constexpr BYTE EMU_SYS_SPEAKERS = 6;
constexpr BYTE EMU_SYS_STATE = 7;
constexpr BYTE EMU_SYS_GROUP8 = 8;
constexpr BYTE EMU_SYS_SCENE_SELECT = 52;
constexpr BYTE EMU_SYS_MODE_TABLE = 64;
constexpr BYTE EMU_SYS_WIFI_RESET = 65;
constexpr BYTE EMU_SYS_FACTORY_RESET = 96;
constexpr BYTE EMU_SYS_HANDSHAKE = 0xCC;
// Firmware update steps: 0x36 .. 0x3C and the loader entry 0xFF.
constexpr bool IsEmuFirmwareStep(BYTE sub) { return (sub >= 0x36 && sub <= 0x3C) || sub == 0xFF; }

// USB identity of the processor.
constexpr WORD EMU_USB_VENDOR_ID = 0x0483;
constexpr WORD EMU_USB_PRODUCT_ID = 0x5750;
constexpr WORD EMU_USB_VERSION = 0x0200;
constexpr int EMU_HID_REPORT_SIZE = 64;  // data bytes of one report, without the report id

// One collected frame, request or reply, kept byte for byte from its first preamble byte.
class CEmuFrame {
public:
    CEmuFrame() = default;
    // bytes: a whole frame; overlong: only the 14-byte header of a frame whose declared payload
    // is too large for the device (its payload was never collected).
    explicit CEmuFrame(std::vector<BYTE> bytes, bool overlong = false);

    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    BYTE Field(int pos) const { return pos < int(m_bytes.size()) ? m_bytes[pos] : 0; }
    BYTE Code() const { return Field(EMU_POS_CODE); }
    BYTE Scene() const { return Field(EMU_POS_SCENE); }
    BYTE Type() const { return Field(EMU_POS_TYPE); }
    BYTE Channel() const { return Field(EMU_POS_CHANNEL); }
    BYTE Record() const { return Field(EMU_POS_RECORD); }
    // Declared payload length N.
    int PayloadLength() const;
    // The payload, valid for PayloadLength() bytes unless the frame is overlong.
    const BYTE* Payload() const { return m_bytes.data() + EMU_POS_PAYLOAD; }
    bool IsOverlong() const { return m_bOverlong; }
    // Check byte and end byte as the layout requires them.
    bool IsCheckGood() const;
    bool IsEndGood() const;

private:
    std::vector<BYTE> m_bytes;
    bool m_bOverlong = false;
};

// XOR of n bytes: the check byte over code .. last payload byte.
BYTE EmuXor(const BYTE* p, size_t n);

// Builds a whole frame: header fields from code to reserved (8 bytes, frame bytes 4..11),
// N from n, the payload, the check byte and the end byte.
std::vector<BYTE> MakeEmuFrame(const BYTE fields8[8], const BYTE* payload, size_t n);
