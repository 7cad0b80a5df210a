#include "SpeakerTypes.h"

#include <cstring>

namespace {

struct TypeInfo {
    const char* en;
    const char* cn;
    SpeakerTypeGroup group;
    int counterpart;  // -1 none
    int side;         // 0 left, 1 right, -1 none
};

const TypeInfo kTypes[SPEAKER_TYPE_COUNT] = {
    {"NULL", "空", SPKGRP_NONE, -1, -1},
    {"FL-Tweeter", "前置左高频", SPKGRP_FRONT_LEFT, 7, 0},
    {"FL-Midrange", "前置左中频", SPKGRP_FRONT_LEFT, 8, 0},
    {"FL-Woofer", "前置左低频", SPKGRP_FRONT_LEFT, 9, 0},
    {"FL-M && T", "前置左中高频", SPKGRP_FRONT_LEFT, 10, 0},
    {"FL-M && WF", "前置左中低频", SPKGRP_FRONT_LEFT, 11, 0},
    {"FL-Full", "前置左全频", SPKGRP_FRONT_LEFT, 12, 0},
    {"FR-Tweeter", "前置右高频", SPKGRP_FRONT_RIGHT, 1, 1},
    {"FR-Midrange", "前置右中频", SPKGRP_FRONT_RIGHT, 2, 1},
    {"FR-Woofer", "前置右低频", SPKGRP_FRONT_RIGHT, 3, 1},
    {"FR-M && T", "前置右中高频", SPKGRP_FRONT_RIGHT, 4, 1},
    {"FR-M && WF", "前置右中低频", SPKGRP_FRONT_RIGHT, 5, 1},
    {"FR-Full", "前置右全频", SPKGRP_FRONT_RIGHT, 6, 1},
    {"RL-Tweeter", "后置左高频", SPKGRP_REAR_LEFT, 16, 0},
    {"RL-Woofer", "后置左低频", SPKGRP_REAR_LEFT, 17, 0},
    {"RL-Full", "后置左全频", SPKGRP_REAR_LEFT, 18, 0},
    {"RR-Tweeter", "后置右高频", SPKGRP_REAR_RIGHT, 13, 1},
    {"RR-Woofer", "后置右低频", SPKGRP_REAR_RIGHT, 14, 1},
    {"RR-Full", "后置右全频", SPKGRP_REAR_RIGHT, 15, 1},
    {"C-Tweeter", "中置高频", SPKGRP_CENTRE, -1, -1},
    {"C-Woofer", "中置低频", SPKGRP_CENTRE, -1, -1},
    {"C-Full", "中置全频", SPKGRP_CENTRE, -1, -1},
    {"L-Subwoofer", "左超低频", SPKGRP_SUBWOOFER, 23, 0},
    {"R-Subwoofer", "右超低频", SPKGRP_SUBWOOFER, 22, 1},
    {"Subwoofer", "超低频", SPKGRP_SUBWOOFER, -1, -1},
};

// States are read and written by type number 0..24; every caller below has checked the type.
BYTE* const s = g_bySpeakerType;

// A way stays assigned; anything else becomes free.
BYTE Keep(BYTE x) { return x == SPEAKER_ASSIGNED ? SPEAKER_ASSIGNED : SPEAKER_FREE; }

bool Assigned(int type) { return s[type] == SPEAKER_ASSIGNED; }

// Ways of one front side, numbered as the left types; f[w] is the state of way w of that side.
enum FrontWay { TWEETER = 1, MIDRANGE = 2, WOOFER = 3, MID_TWEETER = 4, MID_WOOFER = 5, FULL = 6 };
constexpr int FRONT_LEFT_BASE = 0;   // way w is type w
constexpr int FRONT_RIGHT_BASE = 6;  // way w is type w + 6
constexpr int FRONT_WAYS = 6;

// Rear side: 1 tweeter, 2 woofer, 3 full; centre and subwoofers use the same three slots.
constexpr int REAR_LEFT_BASE = 12;
constexpr int REAR_RIGHT_BASE = 15;
constexpr int CENTRE_BASE = 18;
constexpr int SUB_BASE = 21;
constexpr int REAR_WAYS = 3;

// The other side follows: each of its states that is not assigned becomes free where this side
// has the way assigned, else takes this side's state.
void Mirror(int fromBase, int toBase, int ways)
{
    for (int w = 1; w <= ways; ++w) {
        BYTE& to = s[toBase + w];
        const BYTE from = s[fromBase + w];
        if (to != SPEAKER_ASSIGNED)
            to = from == SPEAKER_ASSIGNED ? SPEAKER_FREE : from;
    }
}

int OtherFront(int base) { return base == FRONT_LEFT_BASE ? FRONT_RIGHT_BASE : FRONT_LEFT_BASE; }
int OtherRear(int base) { return base == REAR_LEFT_BASE ? REAR_RIGHT_BASE : REAR_LEFT_BASE; }

// Cells are evaluated in way order, each with the states as they stand at that moment.
void AssignFront(int base, int way)
{
    BYTE* f = s + base;
    auto keepIf = [f](bool condition, int w) { f[w] = condition ? Keep(f[w]) : SPEAKER_BLOCKED; };
    switch (way) {
    case TWEETER:
        f[TWEETER] = SPEAKER_ASSIGNED;
        keepIf(IsMidLowPairFree(), MIDRANGE);
        keepIf(IsMidLowPairFree(), WOOFER);
        f[MID_TWEETER] = SPEAKER_BLOCKED;
        keepIf(IsMidPairFree() && IsWooferPairFree(), MID_WOOFER);
        f[FULL] = SPEAKER_BLOCKED;
        break;
    case MIDRANGE:
        f[TWEETER] = Keep(f[TWEETER]);
        f[MIDRANGE] = SPEAKER_ASSIGNED;
        f[WOOFER] = Keep(f[WOOFER]);
        f[MID_TWEETER] = SPEAKER_BLOCKED;
        f[MID_WOOFER] = SPEAKER_BLOCKED;
        f[FULL] = SPEAKER_BLOCKED;
        break;
    case WOOFER:
        keepIf(IsMidHighPairFree(), TWEETER);
        keepIf(IsMidHighPairFree(), MIDRANGE);
        f[WOOFER] = SPEAKER_ASSIGNED;
        keepIf(IsMidPairFree() && IsTweeterPairFree(), MID_TWEETER);
        f[MID_WOOFER] = SPEAKER_BLOCKED;
        f[FULL] = SPEAKER_BLOCKED;
        break;
    case MID_TWEETER:
        f[TWEETER] = SPEAKER_BLOCKED;
        f[MIDRANGE] = SPEAKER_BLOCKED;
        f[WOOFER] = Keep(f[WOOFER]);
        f[MID_TWEETER] = SPEAKER_ASSIGNED;
        f[MID_WOOFER] = SPEAKER_BLOCKED;
        f[FULL] = SPEAKER_BLOCKED;
        break;
    case MID_WOOFER:
        f[TWEETER] = Keep(f[TWEETER]);
        f[MIDRANGE] = SPEAKER_BLOCKED;
        f[WOOFER] = SPEAKER_BLOCKED;
        f[MID_TWEETER] = SPEAKER_BLOCKED;
        f[MID_WOOFER] = SPEAKER_ASSIGNED;
        f[FULL] = SPEAKER_BLOCKED;
        break;
    case FULL:
        for (int w = TWEETER; w <= MID_WOOFER; ++w)
            f[w] = SPEAKER_BLOCKED;
        f[FULL] = SPEAKER_ASSIGNED;
        break;
    }
    Mirror(base, OtherFront(base), FRONT_WAYS);
}

void ReleaseFront(int base, int way)
{
    BYTE* f = s + base;
    switch (way) {
    case TWEETER:
        f[TWEETER] = SPEAKER_FREE;
        if (IsMidPairFree() && IsTweeterPairFree() && IsMidLowPairFree())
            f[MID_TWEETER] = SPEAKER_FREE;
        break;
    case MIDRANGE:
        f[MIDRANGE] = SPEAKER_FREE;
        if (IsMidPairFree()) {
            if (f[TWEETER] == SPEAKER_FREE)
                f[MID_TWEETER] = SPEAKER_FREE;
            if (f[WOOFER] == SPEAKER_FREE)
                f[MID_WOOFER] = SPEAKER_FREE;
        }
        break;
    case WOOFER:
        f[WOOFER] = SPEAKER_FREE;
        if (IsMidPairFree() && IsWooferPairFree() && IsMidHighPairFree())
            f[MID_WOOFER] = SPEAKER_FREE;
        break;
    case MID_TWEETER:
        f[MID_TWEETER] = SPEAKER_FREE;
        if (IsMidHighPairFree()) {
            f[TWEETER] = SPEAKER_FREE;
            f[MIDRANGE] = SPEAKER_FREE;
        }
        if (IsMidHighPairFree() && IsWooferPairFree())
            f[MID_WOOFER] = SPEAKER_FREE;
        break;
    case MID_WOOFER:
        f[MID_WOOFER] = SPEAKER_FREE;
        if (IsMidLowPairFree()) {
            f[MIDRANGE] = SPEAKER_FREE;
            f[WOOFER] = SPEAKER_FREE;
        }
        if (IsMidLowPairFree() && IsTweeterPairFree())
            f[MID_TWEETER] = SPEAKER_FREE;
        break;
    case FULL:
        // The other side's full range keeps the ways blocked.
        if (s[OtherFront(base) + FULL] != SPEAKER_ASSIGNED) {
            for (int w = TWEETER; w <= MID_WOOFER; ++w)
                f[w] = SPEAKER_FREE;
        }
        f[FULL] = SPEAKER_FREE;
        break;
    }
    if (way != FULL) {
        const BOOL bFree = base == FRONT_LEFT_BASE ? AreFrontLeftWaysFree() : AreFrontRightWaysFree();
        f[FULL] = bFree ? SPEAKER_FREE : SPEAKER_BLOCKED;
    }
    Mirror(base, OtherFront(base), FRONT_WAYS);
}

// Three ways at one position (tweeter, woofer, full range): the two ways may sit together,
// the full range excludes both. The rear sides mirror each other afterwards; the centre and the
// subwoofers stand alone.
void AssignThreeWay(int base, int way)
{
    BYTE* r = s + base;
    switch (way) {
    case 1:
        r[1] = SPEAKER_ASSIGNED;
        r[2] = Keep(r[2]);
        r[3] = SPEAKER_BLOCKED;
        break;
    case 2:
        r[1] = Keep(r[1]);
        r[2] = SPEAKER_ASSIGNED;
        r[3] = SPEAKER_BLOCKED;
        break;
    case 3:
        r[1] = SPEAKER_BLOCKED;
        r[2] = SPEAKER_BLOCKED;
        r[3] = SPEAKER_ASSIGNED;
        break;
    }
}

void AssignRear(int base, int way)
{
    AssignThreeWay(base, way);
    Mirror(base, OtherRear(base), REAR_WAYS);
}

void ReleaseRear(int base, int way)
{
    BYTE* r = s + base;
    if (way == 3) {
        if (s[OtherRear(base) + 3] != SPEAKER_ASSIGNED) {
            r[1] = SPEAKER_FREE;
            r[2] = SPEAKER_FREE;
        }
        r[3] = SPEAKER_FREE;
    } else {
        r[way] = SPEAKER_FREE;
        r[3] = AreRearWaysFree() ? SPEAKER_FREE : SPEAKER_BLOCKED;
    }
    Mirror(base, OtherRear(base), REAR_WAYS);
}

// Centre and subwoofers: the full range is blocked while the other way is still assigned.
void ReleaseSingle(int base, int way)
{
    BYTE* r = s + base;
    switch (way) {
    case 1:
        r[1] = SPEAKER_FREE;
        r[3] = r[2] == SPEAKER_ASSIGNED ? SPEAKER_BLOCKED : SPEAKER_FREE;
        break;
    case 2:
        r[2] = SPEAKER_FREE;
        r[3] = r[1] == SPEAKER_ASSIGNED ? SPEAKER_BLOCKED : SPEAKER_FREE;
        break;
    case 3:
        r[1] = r[2] = r[3] = SPEAKER_FREE;
        break;
    }
}

// Base of the three or six ways of a type's position; the way is type - base.
int WayBase(SpeakerTypeGroup group)
{
    switch (group) {
    case SPKGRP_FRONT_LEFT: return FRONT_LEFT_BASE;
    case SPKGRP_FRONT_RIGHT: return FRONT_RIGHT_BASE;
    case SPKGRP_REAR_LEFT: return REAR_LEFT_BASE;
    case SPKGRP_REAR_RIGHT: return REAR_RIGHT_BASE;
    case SPKGRP_CENTRE: return CENTRE_BASE;
    case SPKGRP_SUBWOOFER: return SUB_BASE;
    default: return 0;
    }
}

bool OtherRuleChannelHasNone(int ch)
{
    for (int i = 0; i < SPEAKER_RULE_CHANNELS; ++i) {
        if (i != ch && SpeakerTypeOf(g_bySpeakerType, i) == SPK_NULL)
            return true;
    }
    return false;
}

}  // namespace

CString LoadSpeakerTypeString(UINT nId)
{
    if (nId >= IDS_SPEAKER_TYPE_EN && nId < IDS_SPEAKER_TYPE_EN + SPEAKER_TYPE_COUNT)
        return kTypes[nId - IDS_SPEAKER_TYPE_EN].en;
    if (nId >= IDS_SPEAKER_TYPE_CN && nId < IDS_SPEAKER_TYPE_CN + SPEAKER_TYPE_COUNT)
        return kTypes[nId - IDS_SPEAKER_TYPE_CN].cn;
    return CString();
}

CString GetSpeakerTypeName(int type, BOOL bChinese)
{
    if (!IsValidSpeakerType(type))
        return CString();
    return LoadSpeakerTypeString((bChinese ? IDS_SPEAKER_TYPE_CN : IDS_SPEAKER_TYPE_EN) + UINT(type));
}

SpeakerTypeGroup GetSpeakerTypeGroup(int type)
{
    return IsValidSpeakerType(type) ? kTypes[type].group : SPKGRP_INVALID;
}

int GetCounterpartType(int type)
{
    return IsValidSpeakerType(type) ? kTypes[type].counterpart : -1;
}

int GetSpeakerTypeSide(int type)
{
    return IsValidSpeakerType(type) ? kTypes[type].side : -1;
}

void ResetSpeakerTypes()
{
    std::memset(g_bySpeakerType, SPEAKER_FREE, sizeof(g_bySpeakerType));
}

void AssignSpeakerType(int type, int)
{
    const SpeakerTypeGroup group = GetSpeakerTypeGroup(type);
    const int way = type - WayBase(group);
    switch (group) {
    case SPKGRP_INVALID:
        break;
    case SPKGRP_NONE:
        s[SPK_NULL] = SPEAKER_ASSIGNED;
        break;
    case SPKGRP_FRONT_LEFT:
    case SPKGRP_FRONT_RIGHT:
        AssignFront(WayBase(group), way);
        break;
    case SPKGRP_REAR_LEFT:
    case SPKGRP_REAR_RIGHT:
        AssignRear(WayBase(group), way);
        break;
    case SPKGRP_CENTRE:
    case SPKGRP_SUBWOOFER:
        AssignThreeWay(WayBase(group), way);
        break;
    }
}

void ReleaseSpeakerType(int type, int ch)
{
    const SpeakerTypeGroup group = GetSpeakerTypeGroup(type);
    const int way = type - WayBase(group);
    switch (group) {
    case SPKGRP_INVALID:
        break;
    case SPKGRP_NONE:
        s[SPK_NULL] = OtherRuleChannelHasNone(ch) ? SPEAKER_ASSIGNED : SPEAKER_FREE;
        break;
    case SPKGRP_FRONT_LEFT:
    case SPKGRP_FRONT_RIGHT:
        ReleaseFront(WayBase(group), way);
        break;
    case SPKGRP_REAR_LEFT:
    case SPKGRP_REAR_RIGHT:
        ReleaseRear(WayBase(group), way);
        break;
    case SPKGRP_CENTRE:
    case SPKGRP_SUBWOOFER:
        ReleaseSingle(WayBase(group), way);
        break;
    }
}

void ApplyChannelSpeakerTypes()
{
    for (int ch = 0; ch < SPEAKER_RULE_CHANNELS; ++ch)
        AssignSpeakerType(SpeakerTypeOf(g_bySpeakerType, ch), 0);
}

BOOL RemoveDuplicateTypes()
{
    BOOL bRemoved = FALSE;
    for (int i = 0; i < SPEAKER_RULE_CHANNELS - 1; ++i) {
        const BYTE type = SpeakerTypeOf(g_bySpeakerType, i);
        if (type == SPK_NULL)
            continue;
        for (int j = i + 1; j < SPEAKER_RULE_CHANNELS; ++j) {
            if (SpeakerTypeOf(g_bySpeakerType, j) == type) {
                SpeakerTypeOf(g_bySpeakerType, j) = SPK_NULL;
                bRemoved = TRUE;
            }
        }
    }
    return bRemoved;
}

BOOL AnyChannelTyped()
{
    for (int ch = 0; ch < SPEAKER_RULE_CHANNELS; ++ch) {
        if (SpeakerTypeOf(g_bySpeakerType, ch) != SPK_NULL)
            return TRUE;
    }
    return FALSE;
}

BOOL IsTweeterPairFree() { return !Assigned(SPK_FL_TWEETER) && !Assigned(SPK_FR_TWEETER); }
BOOL IsMidPairFree() { return !Assigned(SPK_FL_MIDRANGE) && !Assigned(SPK_FR_MIDRANGE); }
BOOL IsWooferPairFree() { return !Assigned(SPK_FL_WOOFER) && !Assigned(SPK_FR_WOOFER); }
BOOL IsMidHighPairFree() { return !Assigned(SPK_FL_MID_TWEETER) && !Assigned(SPK_FR_MID_TWEETER); }
BOOL IsMidLowPairFree() { return !Assigned(SPK_FL_MID_WOOFER) && !Assigned(SPK_FR_MID_WOOFER); }

BOOL AreFrontLeftWaysFree()
{
    for (int w = TWEETER; w <= MID_WOOFER; ++w) {
        if (Assigned(FRONT_LEFT_BASE + w) || Assigned(FRONT_RIGHT_BASE + w))
            return FALSE;
    }
    return TRUE;
}

BOOL AreFrontRightWaysFree() { return AreFrontLeftWaysFree(); }

BOOL AreRearWaysFree()
{
    return !Assigned(SPK_RL_TWEETER) && !Assigned(SPK_RL_WOOFER) && !Assigned(SPK_RR_TWEETER) &&
           !Assigned(SPK_RR_WOOFER);
}
