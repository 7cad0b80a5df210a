#include "SpeakerGroups.h"

#include "SpeakerTypes.h"

#include <algorithm>

SpeakerGroups g_SpeakerGroups = {
    -1, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    -1, -1, {-1, -1, -1}, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    -1, -1, {-1, -1, -1}, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    -1, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    -1, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
    -1, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1},
};
SlotRecord g_SlotRecord = {-1, {}};

namespace {

// A group of two or three members is linkable; one or none is not; more than three is no
// speaker the rules know, and the flag stays as it is.
void SetLinkFromCount(int& link, int count)
{
    if (count == 2 || count == 3)
        link = 0;
    else if (count <= 1)
        link = -1;
}

// tweeter / woofer: the type numbers of that side.
void SetFrontMode(int& mode, const int (&ways)[SPEAKER_GROUP_WAYS], int count, int tweeter, int woofer)
{
    if (count == 3) {
        mode = SPEAKER_XOVER_THREE_WAY;
    } else if (count == 2) {
        const bool bTweeter = ways[0] == tweeter || ways[1] == tweeter;
        const bool bWoofer = ways[0] == woofer || ways[1] == woofer;
        if (!bTweeter)
            mode = SPEAKER_XOVER_NO_TWEETER;
        else
            mode = bWoofer ? SPEAKER_XOVER_TWEETER_WOOFER : SPEAKER_XOVER_TWEETER_MID;
    }
}

// Records the way type of a front member; the record holds three, further ways are counted
// but not written (they would run into the member list).
void AddFrontWay(int (&ways)[SPEAKER_GROUP_WAYS], int& count, int type)
{
    if (count < SPEAKER_GROUP_WAYS)
        ways[count] = type;
    ++count;
}

BOOL FillPairs(SpeakerPair (&pairs)[SPEAKER_PAIRS])
{
    for (SpeakerPair& pair : pairs)
        pair.bUsed = 0;
    BOOL bAny = FALSE;
    for (int i = 0; i < SPEAKER_CHANNELS; ++i) {
        const int counterpart = GetCounterpartType(SpeakerTypeOf(g_bySpeakerType, i));
        if (counterpart < 0)
            continue;
        for (int j = i + 1; j < SPEAKER_CHANNELS; ++j) {
            if (SpeakerTypeOf(g_bySpeakerType, j) != counterpart)
                continue;
            for (SpeakerPair& pair : pairs) {
                if (!pair.bUsed) {
                    pair = {i, j, 1};
                    bAny = TRUE;
                    break;
                }
            }
            break;
        }
    }
    return bAny;
}

BOOL AnyUsed(const SpeakerPair (&pairs)[SPEAKER_PAIRS])
{
    for (const SpeakerPair& pair : pairs) {
        if (pair.bUsed)
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int GetSpeakerGroupOfType(int type)
{
    switch (type) {
    case SPK_C_TWEETER:
    case SPK_C_WOOFER:
        return SPKG_CENTRE;
    case SPK_FL_TWEETER:
    case SPK_FL_MIDRANGE:
    case SPK_FL_WOOFER:
    case SPK_FL_MID_TWEETER:
    case SPK_FL_MID_WOOFER:
        return SPKG_FRONT_LEFT;
    case SPK_FR_TWEETER:
    case SPK_FR_MIDRANGE:
    case SPK_FR_WOOFER:
    case SPK_FR_MID_TWEETER:
    case SPK_FR_MID_WOOFER:
        return SPKG_FRONT_RIGHT;
    case SPK_RL_TWEETER:
    case SPK_RL_WOOFER:
        return SPKG_REAR_LEFT;
    case SPK_RR_TWEETER:
    case SPK_RR_WOOFER:
        return SPKG_REAR_RIGHT;
    case SPK_L_SUBWOOFER:
    case SPK_R_SUBWOOFER:
        return SPKG_SUBWOOFER;
    default:
        return -1;
    }
}

int* GetSpeakerGroupLink(SpeakerGroups& groups, int group)
{
    switch (group) {
    case SPKG_CENTRE: return &groups.nCentreLink;
    case SPKG_FRONT_LEFT: return &groups.nFrontLeftLink;
    case SPKG_FRONT_RIGHT: return &groups.nFrontRightLink;
    case SPKG_REAR_LEFT: return &groups.nRearLeftLink;
    case SPKG_REAR_RIGHT: return &groups.nRearRightLink;
    case SPKG_SUBWOOFER: return &groups.nSubLink;
    default: return nullptr;
    }
}

int* GetSpeakerGroupMembers(SpeakerGroups& groups, int group)
{
    switch (group) {
    case SPKG_CENTRE: return groups.nCentre;
    case SPKG_FRONT_LEFT: return groups.nFrontLeft;
    case SPKG_FRONT_RIGHT: return groups.nFrontRight;
    case SPKG_REAR_LEFT: return groups.nRearLeft;
    case SPKG_REAR_RIGHT: return groups.nRearRight;
    case SPKG_SUBWOOFER: return groups.nSub;
    default: return nullptr;
    }
}

void ResetSpeakerGroups(SpeakerGroups& groups)
{
    for (int group = 0; group < SPEAKER_GROUP_COUNT; ++group) {
        *GetSpeakerGroupLink(groups, group) = -1;
        std::fill_n(GetSpeakerGroupMembers(groups, group), SPEAKER_CHANNELS, -1);
    }
    groups.nFrontLeftMode = -1;
    groups.nFrontRightMode = -1;
    std::fill_n(groups.nFrontLeftWays, SPEAKER_GROUP_WAYS, -1);
    std::fill_n(groups.nFrontRightWays, SPEAKER_GROUP_WAYS, -1);
}

void BuildSpeakerGroups(SpeakerGroups& groups, ISpeakerGroupsDialog* pDialog)
{
    ResetSpeakerGroups(groups);
    int count[SPEAKER_GROUP_COUNT] = {};
    for (int ch = 0; ch < SPEAKER_CHANNELS; ++ch) {
        const int type = SpeakerTypeOf(g_bySpeakerType, ch);
        const int group = GetSpeakerGroupOfType(type);
        if (group < 0)
            continue;
        GetSpeakerGroupMembers(groups, group)[ch] = ch;
        if (group == SPKG_FRONT_LEFT)
            AddFrontWay(groups.nFrontLeftWays, count[group], type);
        else if (group == SPKG_FRONT_RIGHT)
            AddFrontWay(groups.nFrontRightWays, count[group], type);
        else
            ++count[group];
    }
    for (int group = 0; group < SPEAKER_GROUP_COUNT; ++group)
        SetLinkFromCount(*GetSpeakerGroupLink(groups, group), count[group]);
    SetFrontMode(groups.nFrontLeftMode, groups.nFrontLeftWays, count[SPKG_FRONT_LEFT], SPK_FL_TWEETER,
                 SPK_FL_WOOFER);
    SetFrontMode(groups.nFrontRightMode, groups.nFrontRightWays, count[SPKG_FRONT_RIGHT], SPK_FR_TWEETER,
                 SPK_FR_WOOFER);
    if (pDialog)
        pDialog->HideDialog();
}

int GetChannelSide(int ch)
{
    if (ch < 0 || ch >= SPEAKER_CHANNELS)
        return -1;
    return GetSpeakerTypeSide(SpeakerTypeOf(g_bySpeakerType, ch));
}

BOOL FindStereoPairs()
{
    return FillPairs(g_arStereoPair);
}

BOOL BuildLeftRightPairs()
{
    const BOOL bAny = FillPairs(g_arLeftRightPair);
    for (SpeakerPair& pair : g_arLeftRightPair) {
        if (pair.bUsed && GetChannelSide(pair.nFirst) == 1) {
            const int first = pair.nFirst;
            pair.nFirst = pair.nSecond;
            pair.nSecond = first;
        }
    }
    return bAny;
}

BOOL AnyStereoPair()
{
    return AnyUsed(g_arStereoPair);
}

BOOL AnyLeftRightPair()
{
    return AnyUsed(g_arLeftRightPair);
}

void ResetSlotRecord()
{
    g_SlotRecord.nIndex = -1;
    for (int& slot : g_SlotRecord.nSlots)
        slot = 0;
}
