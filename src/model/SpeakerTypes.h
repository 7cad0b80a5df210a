// Speaker types of the output channels and the rules that keep their states consistent.
//
// Every type 0..24 has a state in g_bySpeakerType (3 free, 2 assigned, 1 blocked). Giving a
// type to a channel assigns it and blocks the types that cannot sit beside it (a full-range
// front-left speaker excludes a separate front-left tweeter, ...); taking it away frees what no
// longer conflicts. The front and rear sides are kept symmetric: after a rule of one side has
// run, the other side's states follow it, except where the other side has a type assigned.
//
// The rules apply and check output channels 0..7 only; channels 8 and 9 carry types too (the
// subwoofers by default) for the pairs and groups of SpeakerGroups.h.
//
// Channel types come from the device and are not trusted: a type outside 0..24 names nothing,
// has no group, side or counterpart, and no rule writes a state for it.
//
// Thread: user-interface thread only (the output page and the main view's map handlers).
#pragma once

#include "SpeakerTable.h"
#include "WinTypes.h"

// Type numbers (the menu command of a type is 4100 + type).
enum SpeakerTypeId {
    SPK_NULL = 0,
    SPK_FL_TWEETER = 1,
    SPK_FL_MIDRANGE = 2,
    SPK_FL_WOOFER = 3,
    SPK_FL_MID_TWEETER = 4,
    SPK_FL_MID_WOOFER = 5,
    SPK_FL_FULL = 6,
    SPK_FR_TWEETER = 7,
    SPK_FR_MIDRANGE = 8,
    SPK_FR_WOOFER = 9,
    SPK_FR_MID_TWEETER = 10,
    SPK_FR_MID_WOOFER = 11,
    SPK_FR_FULL = 12,
    SPK_RL_TWEETER = 13,
    SPK_RL_WOOFER = 14,
    SPK_RL_FULL = 15,
    SPK_RR_TWEETER = 16,
    SPK_RR_WOOFER = 17,
    SPK_RR_FULL = 18,
    SPK_C_TWEETER = 19,
    SPK_C_WOOFER = 20,
    SPK_C_FULL = 21,
    SPK_L_SUBWOOFER = 22,
    SPK_R_SUBWOOFER = 23,
    SPK_SUBWOOFER = 24,
};
constexpr int SPEAKER_TYPE_MAX = SPEAKER_TYPE_COUNT - 1;
// Output channels 0..7 are the ones the state rules apply and check.
constexpr int SPEAKER_RULE_CHANNELS = 8;

inline bool IsValidSpeakerType(int type) { return type >= 0 && type <= SPEAKER_TYPE_MAX; }

// Short names: string ids 6200 + type (English) and 6300 + type (Chinese).
constexpr UINT IDS_SPEAKER_TYPE_EN = 6200;
constexpr UINT IDS_SPEAKER_TYPE_CN = 6300;
// The text of one of those string ids; empty for any other id.
CString LoadSpeakerTypeString(UINT nId);
// The short name of a type in the language asked for; empty for a type outside 0..24.
CString GetSpeakerTypeName(int type, BOOL bChinese);

// Position a type belongs to.
enum SpeakerTypeGroup {
    SPKGRP_INVALID = -1,  // a type outside 0..24
    SPKGRP_NONE = 0,      // type 0
    SPKGRP_FRONT_LEFT,    // 1..6
    SPKGRP_FRONT_RIGHT,   // 7..12
    SPKGRP_REAR_LEFT,     // 13..15
    SPKGRP_REAR_RIGHT,    // 16..18
    SPKGRP_CENTRE,        // 19..21
    SPKGRP_SUBWOOFER,     // 22..24
};
SpeakerTypeGroup GetSpeakerTypeGroup(int type);

// The same way on the other side (1 and 7, ... 6 and 12, 13 and 16, ... 15 and 18, 22 and 23);
// -1 for 0, 19..21, 24 and any type outside 0..24.
int GetCounterpartType(int type);
// 0 left (1..6, 13..15, 22), 1 right (7..12, 16..18, 23), -1 otherwise.
int GetSpeakerTypeSide(int type);

// All 36 bytes := 3, the channel types too; callers set the channel types afterwards.
void ResetSpeakerTypes();
// Marks type as assigned and blocks what conflicts with it. ch is not used by any rule (the
// output page passes 0). A type outside 0..24 changes nothing.
void AssignSpeakerType(int type, int ch);
// Frees type and unblocks what no longer conflicts. For type 0, ch is the channel 0..9 that
// gives it up: "none" stays assigned while another of channels 0..7 still has type 0. A type
// outside 0..24 changes nothing.
void ReleaseSpeakerType(int type, int ch);
// Assigns the type of each of channels 0..7 in order (after ResetSpeakerTypes and the channel
// types are set); types outside 0..24 are skipped.
void ApplyChannelSpeakerTypes();
// A type may sit on one of channels 0..7 only: every later channel of 0..7 with the type of an
// earlier one (other than 0) gets type 0. TRUE when anything was cleared.
BOOL RemoveDuplicateTypes();
// TRUE when one of channels 0..7 has a type other than 0.
BOOL AnyChannelTyped();

// TRUE when neither the left nor the right type of that way is assigned: tweeter 1/7,
// midrange 2/8, woofer 3/9, midrange-tweeter 4/10, midrange-woofer 5/11.
BOOL IsTweeterPairFree();
BOOL IsMidPairFree();
BOOL IsWooferPairFree();
BOOL IsMidHighPairFree();
BOOL IsMidLowPairFree();
// TRUE when none of the front ways 1..5 and 7..11 is assigned. Both sides count for either
// full-range speaker, because the front is kept symmetric.
BOOL AreFrontLeftWaysFree();
BOOL AreFrontRightWaysFree();
// TRUE when none of the rear ways 13, 14, 16, 17 is assigned.
BOOL AreRearWaysFree();
