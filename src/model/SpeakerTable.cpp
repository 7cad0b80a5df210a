#include "SpeakerTable.h"

BYTE g_bySpeakerType[SPEAKER_TABLE_SIZE] = {};
BYTE g_SpeakerTypeDefault[SPEAKER_TABLE_SIZE] = {};
SpeakerPair g_arStereoPair[SPEAKER_PAIRS] = {};
SpeakerPair g_arLeftRightPair[SPEAKER_PAIRS] = {};
