#include "SceneImage.h"

#include "Colours.h"
#include "Globals.h"
#include "LinkState.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <cstring>

SceneImage g_Scene;
SceneImage g_StoredScenes[STORED_SCENES];
SystemBlock g_SystemBlock;

WORD (&g_wModeTable)[40] = g_SystemBlock.wModeTable;
BYTE& g_byModeIndex = g_SystemBlock.byModeIndex;
BYTE& g_byInputSource = g_SystemBlock.byInputSource;
WORD& g_wMasterLevel = g_SystemBlock.wMasterLevel;
BYTE (&g_bySysParams)[6] = g_SystemBlock.bySysParams;
static_assert(offsetof(SystemBlock, bySysState) == offsetof(SystemBlock, bySysSpeakerType) + 8,
              "the ten speaker-type bytes run on into the state record");
BYTE (&g_bySysSpeakerType)[10] = *reinterpret_cast<BYTE(*)[10]>(SystemBlockBytes() + 92);
BYTE (&g_bySysState)[8] = g_SystemBlock.bySysState;
BYTE& g_byCurScene = g_SystemBlock.byCurScene;
BYTE (&g_bySysGroup8)[8] = g_SystemBlock.bySysGroup8;

int g_nSysReadCmd[SYS_READ_COUNT + 1];
int g_nDeviceInfo[DEVICE_INFO_COUNT];

SourceRules g_SourceRules;
int& g_nSourceSelect = g_SourceRules.nSourceSelect;

BYTE* SystemBlockBytes() { return reinterpret_cast<BYTE*>(&g_SystemBlock); }

int BlockOffset(int type, int channel)
{
    switch (type) {
    case BLOCK_MIC:
        return channel == 0 ? MIC_BLOCK_OFFSET : -1;
    case BLOCK_EFFECT:
        return channel == 0 ? EFFECT_BLOCK_OFFSET : -1;
    case BLOCK_MUSIC:
        return channel >= 0 && channel < MUSIC_CHANNELS ? MUSIC_BLOCK_OFFSET + MUSIC_BLOCK_SIZE * channel : -1;
    case BLOCK_OUTPUT:
        return channel >= 0 && channel < OUTPUT_CHANNELS ? OUTPUT_BLOCK_OFFSET + OUTPUT_BLOCK_SIZE * channel
                                                         : -1;
    default:
        return -1;
    }
}

int BlockSize(int type)
{
    switch (type) {
    case BLOCK_MIC:
        return MIC_BLOCK_SIZE;
    case BLOCK_EFFECT:
        return EFFECT_BLOCK_SIZE;
    case BLOCK_MUSIC:
        return MUSIC_BLOCK_SIZE;
    case BLOCK_OUTPUT:
        return OUTPUT_BLOCK_SIZE;
    default:
        return 0;
    }
}

BYTE* StoredSceneImage(int scene)
{
    if (scene < 1 || scene > STORED_SCENES)
        return nullptr;
    return g_StoredScenes[scene - 1];
}

BYTE* SceneImageOf(int scene) { return scene == 0 ? g_Scene : StoredSceneImage(scene); }

bool FindSystemWindow(int subCommand, int& offset, int& size)
{
    struct Window {
        int subCommand, offset, size;
    };
    static const Window kWindows[] = {
        {2, 83, 8}, {5, 84, 8}, {6, 92, 8}, {7, 100, 8}, {8, 116, 8}, {52, 108, 1}, {64, 0, 82}, {96, 82, 8},
    };
    for (const Window& w : kWindows) {
        if (w.subCommand == subCommand) {
            offset = w.offset;
            size = w.size;
            return true;
        }
    }
    return false;
}

int SourceRules::SelectSourceRow(int row, int variant)
{
    const int* mask = nullptr;
    if (variant == 0 && row >= 0 && row < 6)
        mask = nMaskV0[row];
    else if (variant == 1 && row >= 0 && row < 5)
        mask = nMaskV1[row];
    else if (variant == 2 && row >= 0 && row < 4)
        mask = nMaskV2[row];
    if (mask)
        std::memcpy(nCurMask, mask, sizeof(nCurMask));
    if (nSourceSelect >= 0 && nSourceSelect < SOURCE_ENTRIES && nCurMask[nSourceSelect])
        return 1;
    nSourceSelect = SOURCE_OFF;
    return 0;
}

void InitRuleTables()
{
    static const int kV0[6][SOURCE_ENTRIES] = {
        {0, 1, 1, 1, 1, 1, 1}, {1, 0, 1, 1, 0, 0, 1}, {1, 1, 0, 0, 1, 1, 1},
        {1, 1, 0, 0, 1, 1, 1}, {1, 0, 1, 1, 0, 1, 1}, {1, 0, 1, 1, 1, 0, 1},
    };
    static const int kV1[5][SOURCE_ENTRIES] = {
        {0, 1, 1, 1, 1, 0, 1}, {1, 0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 1, 0, 1},
        {1, 0, 0, 0, 1, 0, 1}, {1, 0, 1, 1, 0, 0, 1},
    };
    static const int kV2[4][SOURCE_ENTRIES] = {
        {0, 1, 1, 1, 0, 0, 1}, {1, 0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 0, 0, 1}, {1, 0, 0, 0, 0, 0, 1},
    };
    g_SourceRules.nSourceSelect = SOURCE_OFF;
    std::memcpy(g_SourceRules.nMaskV0, kV0, sizeof(kV0));
    std::memcpy(g_SourceRules.nMaskV1, kV1, sizeof(kV1));
    std::memcpy(g_SourceRules.nMaskV2, kV2, sizeof(kV2));
    std::memcpy(g_SourceRules.nCurMask, kV0[0], sizeof(g_SourceRules.nCurMask));
}

namespace {
void PutWord(BYTE* p, WORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}

// Band records 0..count-1 of a block: 1000 Hz, gain code 600 (0 dB), the rest 0.
void SetDefaultBands(BYTE* block, int count)
{
    for (int b = 0; b < count; ++b) {
        BYTE* rec = block + b * RECORD_SIZE;
        std::memset(rec, 0, RECORD_SIZE);
        PutWord(rec, 1000);
        PutWord(rec + 2, 600);
    }
}

BYTE* Record(BYTE* image, int type, int channel, int record)
{
    return image + BlockOffset(type, channel) + record * RECORD_SIZE;
}

void InitSceneImages()
{
    // Every byte not named below starts at 0 (the image is zeroed first, so the records the
    // device wants cleared are cleared too).
    std::memset(g_Scene, 0, sizeof(g_Scene));
    std::memset(g_StoredScenes, 0, sizeof(g_StoredScenes));

    for (int c = 0; c < MUSIC_CHANNELS; ++c) {
        Record(g_Scene, BLOCK_MUSIC, c, 31)[2] = 1;
        SetDefaultBands(Record(g_Scene, BLOCK_MUSIC, c, 0), 31);
    }
    SetDefaultBands(Record(g_Scene, BLOCK_MIC, 0, 0), 9);
    for (int c = 0; c < OUTPUT_CHANNELS; ++c) {
        SetDefaultBands(Record(g_Scene, BLOCK_OUTPUT, c, 0), 9);
        // Mix A: output k (0..7) takes source k at full level; outputs 8 and 9 take nothing.
        if (c < 8)
            Record(g_Scene, BLOCK_OUTPUT, c, OUT_REC_MIX_A)[c] = 100;
        // Mix B: even outputs take the left pair of sources, odd outputs the right pair.
        BYTE* mixB = Record(g_Scene, BLOCK_OUTPUT, c, OUT_REC_MIX_B);
        mixB[c % 2 == 0 ? 4 : 5] = 100;
        mixB[c % 2 == 0 ? 6 : 7] = 100;
    }
    SetDefaultBands(Record(g_Scene, BLOCK_EFFECT, 0, 0), 8);

    for (BYTE* image : g_StoredScenes) {
        std::memset(image + SCENE_NAME_OFFSET, ' ', SCENE_NAME_SIZE - 1);
        image[SCENE_NAME_OFFSET + SCENE_NAME_SIZE - 1] = 0;
    }
}

void InitSystemBlock()
{
    std::memset(&g_SystemBlock, 0, sizeof(g_SystemBlock));
    g_wMasterLevel = 60;
    g_bySysParams[4] = 1;
    g_bySysGroup8[2] = 3;
    g_bySysGroup8[4] = 255;
    g_bySysGroup8[5] = 55;
    g_bySysGroup8[6] = 108;
    g_bySysGroup8[7] = 3;
}

void InitSpeakerTypes()
{
    std::memset(g_bySpeakerType, SPEAKER_FREE, sizeof(g_bySpeakerType));
    for (int ch = 0; ch < SPEAKER_CHANNELS; ++ch)
        SpeakerTypeOf(g_bySpeakerType, ch) = kDefaultSpeakerTypes[ch];
    std::memcpy(g_SpeakerTypeDefault, g_bySpeakerType, sizeof(g_SpeakerTypeDefault));
    for (int ch = 0; ch < 8; ++ch)
        g_bySysSpeakerType[ch] = SpeakerTypeOf(g_bySpeakerType, ch);
    BuildSpeakerGroups();
    ApplyChannelSpeakerTypes();
    for (SpeakerPair& pair : g_arLeftRightPair)
        pair.bUsed = 0;
}
}  // namespace

void InitAllData()
{
    InitSceneImages();
    InitSystemBlock();

    g_nCurPage = 1;
    g_nCurOutput = 0;
    g_nShownInput = 0;
    g_nInputKind = 0;

    std::memset(g_nDeviceInfo, 0, sizeof(g_nDeviceInfo));
    static const int kSysReadCmd[SYS_READ_COUNT + 1] = {0, 52, 2, 5, 6, 7, 4};
    std::memcpy(g_nSysReadCmd, kSysReadCmd, sizeof(g_nSysReadCmd));

    InitSpeakerTypes();

    g_bLRLink = 0;
    g_bAssignFlag = 0;
    ClearLinkState();

    InitRuleTables();

    std::memset(g_bShowCurve, 0, sizeof(g_bShowCurve));
    static const ARGB kOutColours[10] = {g_clrOut1, g_clrOut2, g_clrOut3, g_clrOut4, g_clrOut5,
                                         g_clrOut6, g_clrOut7, g_clrOut8, g_clrOut9, g_clrOut10};
    std::memcpy(g_clrOutCurve, kOutColours, sizeof(g_clrOutCurve));
}
