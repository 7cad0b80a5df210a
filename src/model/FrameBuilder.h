// Device frames and the builders that turn the scene images and the system block into
// request frames.
//
// Frame, both directions (N = payload length, frame = 16 + N bytes):
//   0..2 preamble 91 91 91, 3 sync EE, 4 code, 5 device address, 6 scene (0 live, 1..6 stored),
//   7 block type, 8 channel or system sub-command, 9 record, 10 link flag, 11 reserved 0,
//   12..13 N little endian, 14.. payload, 14+N XOR of bytes 4..13+N, 15+N end AA.
//
// Each builder returns a new request that owns its frame, or null when the arguments name
// nothing in the images (such a build is refused rather than reading outside them). Builds
// keep their state on the stack, so they are reentrant; callers still hold g_csComm because
// they read the images and append to the queue.
#pragma once

#include "CSendData.h"

#include <memory>

constexpr BYTE FRAME_PREAMBLE = 0x91;
constexpr BYTE FRAME_SYNC = 0xEE;
constexpr BYTE FRAME_END = 0xAA;
constexpr BYTE FRAME_WRITE = 0xA1;
constexpr BYTE FRAME_READ = 0xA2;
constexpr BYTE REPLY_ACK = 0x51;     // 'Q'
constexpr BYTE REPLY_REJECT = 0x52;  // 'R'
constexpr BYTE REPLY_DATA = 0x53;    // 'S'
constexpr int FRAME_HEADER_SIZE = 14;
constexpr int FRAME_OVERHEAD = 16;     // header, check byte, end byte
constexpr int FRAME_MAX_PAYLOAD = 302;
constexpr int READ_PAYLOAD_SIZE = 8;   // read requests carry 8 zero bytes
constexpr BYTE RECORD_WHOLE_BLOCK = 0x77;
constexpr int BLOCK_STATE_POLL = 7;    // BuildBlockPacket type that builds the state poll

// System sub-commands (byte 8 of a block-type-9 frame).
constexpr int SYS_SCENE_NAME = 0;
constexpr int SYS_INPUT_SOURCE = 2;
constexpr int SYS_STATE_POLL = 3;
constexpr int SYS_VERSION = 4;
constexpr int SYS_MASTER_LEVEL = 5;
constexpr int SYS_SPEAKER_TYPES = 6;
constexpr int SYS_STATE_RECORD = 7;
constexpr int SYS_GROUP8 = 8;
constexpr int SYS_SCENE_SELECT = 52;
constexpr int SYS_MODE_BLOCK = 64;
constexpr int SYS_WIFI_DEFAULT = 65;
constexpr int SYS_FACTORY_RESET = 96;
constexpr int SYS_HANDSHAKE = 0xCC;

// Writes the 14 header bytes, the payload (zeros when payload is null), the XOR of bytes 4 to
// length-3 and the end byte into buffer. length is the whole frame, at least 16.
void FinishPacket(BYTE* buffer, int length, const BYTE* header, const BYTE* payload);
// XOR of bytes 4 to length-3 of a frame: the value its check byte must hold.
BYTE FrameCheckSum(const BYTE* frame, int length);

// TRUE when another of the ten outputs shares the channel's link group.
BOOL IsChannelLinked(int channel);

// 24-byte write of one record of the live image (types 1 microphone, 2 effect, 3 music,
// 4 output). Type 7 builds the idle state poll instead (read of sub-command 3).
std::unique_ptr<CSendData> BuildBlockPacket(int type, int channel, int record);
// Write of a whole block to the given scene, from the live image (fromLive) or from the stored
// image of that scene number. Null for a stored source other than 1..6. A live music or output
// block marks the scene modified.
std::unique_ptr<CSendData> BuildWholeBlockPacket(int scene, int type, int channel, BOOL fromLive);
// 24-byte read of a whole block: record 0 (recall into the live image) when recall is set and
// the scene is 1..6, else 0x77.
std::unique_ptr<CSendData> BuildReadRequest(int scene, int type, int channel, BOOL recall);
// 24-byte read of a system sub-command.
std::unique_ptr<CSendData> BuildCommandReadRequest(int subCommand, int scene);
// Write of a system sub-command: 0 the scene name (of stored scene 1..6, else of the live
// scene), 2, 5, 6, 7, 8, 52, 64 and 96 their system-block window, 65 eight zero bytes.
// Null for any other sub-command.
std::unique_ptr<CSendData> BuildCommand(int subCommand, int scene);
