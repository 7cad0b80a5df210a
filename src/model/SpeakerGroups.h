// What the pages derive from the channel types (bytes 26..35 of g_bySpeakerType): the speaker
// groups whose ways are edited together, the left/right channel pairs, and the slot record.
//
// Channel types come from the device: a type outside 0..24 belongs to no group, no side and no
// pair, and a group never records more than three way types, whatever the map holds.
//
// Thread: user-interface thread only.
#pragma once

#include "SpeakerTable.h"
#include "WinTypes.h"

// Groups in the order of g_SpeakerGroups.
enum SpeakerGroupIndex {
    SPKG_CENTRE = 0,     // types 19, 20
    SPKG_FRONT_LEFT,     // 1..5
    SPKG_FRONT_RIGHT,    // 7..11
    SPKG_REAR_LEFT,      // 13, 14
    SPKG_REAR_RIGHT,     // 16, 17
    SPKG_SUBWOOFER,      // 22, 23
    SPEAKER_GROUP_COUNT
};
// The group a type's channel joins; -1 for the full-range types 6, 12, 15, 18, 21, the single
// subwoofer 24, type 0 and any type outside 0..24.
int GetSpeakerGroupOfType(int type);

// Crossover mode of a front group with two or three ways.
constexpr int SPEAKER_XOVER_TWEETER_MID = 1;     // a tweeter and no woofer
constexpr int SPEAKER_XOVER_TWEETER_WOOFER = 2;  // a tweeter and a woofer
constexpr int SPEAKER_XOVER_NO_TWEETER = 3;      // two ways, neither a tweeter
constexpr int SPEAKER_XOVER_THREE_WAY = 4;

constexpr int SPEAKER_GROUP_WAYS = 3;  // way types a front group records

// The outputs sorted by speaker position: 74 ints in the order the pages index them, -1 empty.
// Link flag: -1 fewer than two members (and left so when more than three), 0 two or three
// members; the level and delay page sets 1 (delays locked together) and back to 0.
// Member list: entry i holds i when output i belongs to the group, else -1.
struct SpeakerGroups {
    int nCentreLink;                              //  0
    int nCentre[SPEAKER_CHANNELS];                //  1..10
    int nFrontLeftLink;                           // 11
    int nFrontLeftMode;                           // 12: SPEAKER_XOVER_*, -1 none
    int nFrontLeftWays[SPEAKER_GROUP_WAYS];       // 13..15: types of the first three members
    int nFrontLeft[SPEAKER_CHANNELS];             // 16..25
    int nFrontRightLink;                          // 26
    int nFrontRightMode;                          // 27
    int nFrontRightWays[SPEAKER_GROUP_WAYS];      // 28..30
    int nFrontRight[SPEAKER_CHANNELS];            // 31..40
    int nRearLeftLink;                            // 41
    int nRearLeft[SPEAKER_CHANNELS];              // 42..51
    int nRearRightLink;                           // 52
    int nRearRight[SPEAKER_CHANNELS];             // 53..62
    int nSubLink;                                 // 63
    int nSub[SPEAKER_CHANNELS];                   // 64..73
};
constexpr int SPEAKER_GROUP_INTS = 74;
static_assert(sizeof(SpeakerGroups) == SPEAKER_GROUP_INTS * sizeof(int), "74 ints, no padding");

extern SpeakerGroups g_SpeakerGroups;

// Link flag and member list of group 0..5; null for any other number.
int* GetSpeakerGroupLink(SpeakerGroups& groups, int group);
int* GetSpeakerGroupMembers(SpeakerGroups& groups, int group);

// The dialog that asked for the groups; it is hidden once they are built. Implemented by the
// window layer.
class ISpeakerGroupsDialog {
public:
    virtual ~ISpeakerGroupsDialog() = default;
    virtual void HideDialog() = 0;
};

// Every int := -1.
void ResetSpeakerGroups(SpeakerGroups& groups);
inline void ResetSpeakerGroups() { ResetSpeakerGroups(g_SpeakerGroups); }
// Rebuilds the groups from the types of output channels 0..9, then hides pDialog when one is
// given (it may be null).
void BuildSpeakerGroups(SpeakerGroups& groups, ISpeakerGroupsDialog* pDialog);
inline void BuildSpeakerGroups(ISpeakerGroupsDialog* pDialog = nullptr)
{
    BuildSpeakerGroups(g_SpeakerGroups, pDialog);
}

// Side of the type on output channel ch (0..9): 0 left, 1 right, -1 none or ch out of range.
int GetChannelSide(int ch);

// Refill g_arStereoPair / g_arLeftRightPair with the channels whose types are left and right
// counterparts, each pair once, from its lower channel; pairs beyond six are dropped.
// BuildLeftRightPairs puts the left channel first. TRUE when at least one record is in use.
BOOL FindStereoPairs();
BOOL BuildLeftRightPairs();
// TRUE when a record of the table is in use.
BOOL AnyStereoPair();
BOOL AnyLeftRightPair();

// The slot record of the output page: cleared after a preset file is loaded.
struct SlotRecord {
    int nIndex;                    // -1 none
    int nSlots[SPEAKER_CHANNELS];
};
extern SlotRecord g_SlotRecord;
// Index := -1, the ten slots := 0.
void ResetSlotRecord();
