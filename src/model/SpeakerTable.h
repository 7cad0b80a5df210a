// The speaker-type table and the pair records that the speaker-type rules work on.
//
// g_bySpeakerType: bytes 0..24 the state of types 0..24 (3 free, 2 assigned, 1 blocked),
// byte 25 unused, bytes 26..35 the type 0..24 of output channels 0..9.
#pragma once

#include "WinTypes.h"

constexpr int SPEAKER_TABLE_SIZE = 36;
constexpr int SPEAKER_TYPE_COUNT = 25;      // types 0 (none) .. 24
constexpr int SPEAKER_CHANNEL_BASE = 26;    // byte of output channel 0's type
constexpr int SPEAKER_CHANNELS = 10;
constexpr BYTE SPEAKER_BLOCKED = 1;
constexpr BYTE SPEAKER_ASSIGNED = 2;
constexpr BYTE SPEAKER_FREE = 3;

extern BYTE g_bySpeakerType[SPEAKER_TABLE_SIZE];
// The table as it stood right after the start-up types were set; restores the default map.
extern BYTE g_SpeakerTypeDefault[SPEAKER_TABLE_SIZE];

// Type of output channel ch (0..9) in a speaker table.
inline BYTE& SpeakerTypeOf(BYTE* table, int ch) { return table[SPEAKER_CHANNEL_BASE + ch]; }

// One pair of output channels whose types are left and right counterparts.
struct SpeakerPair {
    int nFirst;   // output channel 0..9 (the left one in g_arLeftRightPair)
    int nSecond;  // output channel 0..9
    int bUsed;    // the record holds a pair
};
constexpr int SPEAKER_PAIRS = 6;
extern SpeakerPair g_arStereoPair[SPEAKER_PAIRS];
extern SpeakerPair g_arLeftRightPair[SPEAKER_PAIRS];

// Start-up types of output channels 0..9.
inline constexpr BYTE kDefaultSpeakerTypes[SPEAKER_CHANNELS] = {1, 7, 2, 8, 3, 9, 15, 18, 22, 23};
