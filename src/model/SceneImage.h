// The byte images the processor keeps, held in memory byte for byte as the device stores them,
// so a frame copies a record straight out and a reply copies straight back in.
//
// Guarded by g_csComm: the comm worker touches them only inside a transaction, the
// user-interface thread around scene and file loads and every frame it builds.
// Multi-byte values are little endian (the device's order, and this host's).
#pragma once

#include "WinTypes.h"

#include <cstddef>

#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the images are copied to and from the wire as they lie in memory: little-endian hosts only"
#endif

// One scene: name, effect, microphone, six music inputs, ten outputs.
constexpr int SCENE_IMAGE_SIZE = 4984;
constexpr int SCENE_NAME_OFFSET = 0;
constexpr int SCENE_NAME_SIZE = 16;
constexpr int EFFECT_BLOCK_OFFSET = 32;
constexpr int EFFECT_BLOCK_SIZE = 152;  // 19 records
constexpr int EFFECT_BLOCK_SENT = 96;   // a whole-block write carries only the first 96 bytes
constexpr int MIC_BLOCK_OFFSET = 184;
constexpr int MIC_BLOCK_SIZE = 112;     // 14 records
constexpr int MUSIC_BLOCK_OFFSET = 296;
constexpr int MUSIC_BLOCK_SIZE = 288;   // 36 records each
constexpr int MUSIC_CHANNELS = 6;
constexpr int OUTPUT_BLOCK_OFFSET = 2024;
constexpr int OUTPUT_BLOCK_SIZE = 296;  // 37 records each
constexpr int OUTPUT_CHANNELS = 10;
constexpr int RECORD_SIZE = 8;
constexpr int STORED_SCENES = 6;

// Block types of the device frames.
constexpr int BLOCK_MIC = 1;
constexpr int BLOCK_EFFECT = 2;
constexpr int BLOCK_MUSIC = 3;
constexpr int BLOCK_OUTPUT = 4;
constexpr int BLOCK_SYSTEM = 9;

// Output block records.
constexpr int OUT_REC_LEVEL = 31;
constexpr int OUT_REC_FILTERS = 32;
constexpr int OUT_REC_MIX_A = 33;
constexpr int OUT_REC_MIX_B = 34;
constexpr int OUT_REC_LIMIT = 35;
constexpr int OUT_REC_NAME = 36;

typedef BYTE SceneImage[SCENE_IMAGE_SIZE];

extern SceneImage g_Scene;                         // the live scene (frames with scene 0)
extern SceneImage g_StoredScenes[STORED_SCENES];   // stored scene n (1..6) is element n-1

// Offset of a block inside a scene image; -1 for a type or channel that has no block.
int BlockOffset(int type, int channel);
// Size in bytes of a block of that type; 0 for an unknown type.
int BlockSize(int type);
// The stored image of scene n (1..6), or null for any other number: nothing may ever read
// outside the six stored images.
BYTE* StoredSceneImage(int scene);
// Scene 0 is the live image, 1..6 the stored ones; null otherwise.
BYTE* SceneImageOf(int scene);

// System settings kept outside the scenes. The natural layout has no padding and matches the
// device's 124 bytes exactly (checked below); the system sub-commands copy fixed windows of it.
struct SystemBlock {
    WORD wModeTable[40];        //   0: 4 rows of 10 values
    BYTE byModeIndex;           //  80: row of the mode table in use
    BYTE byReserved81;          //  81: carried only
    BYTE byReserved82;          //  82: carried only (factory reset sends it as 0)
    BYTE byInputSource;         //  83: 0 optical, 1 high level, 2 Bluetooth, 3 AUX
    WORD wMasterLevel;          //  84: master level, start 60
    BYTE bySysParams[6];        //  86: system switches; [4] output on, start 1
    BYTE bySysSpeakerType[8];   //  92: speaker types of outputs 1..8 as the device keeps them
    BYTE bySysState[8];         // 100: state record, sent back unchanged
    BYTE byCurScene;            // 108: stored scene in use, 0 none, 1..6
    BYTE byReserved109[7];      // 109: carried only
    BYTE bySysGroup8[8];        // 116: input kind, channel mode, noise settings
};
static_assert(sizeof(SystemBlock) == 124, "system block is 124 bytes on the wire");
static_assert(offsetof(SystemBlock, byInputSource) == 83, "layout");
static_assert(offsetof(SystemBlock, wMasterLevel) == 84, "layout");
static_assert(offsetof(SystemBlock, bySysSpeakerType) == 92, "layout");
static_assert(offsetof(SystemBlock, byCurScene) == 108, "layout");
static_assert(offsetof(SystemBlock, bySysGroup8) == 116, "layout");

extern SystemBlock g_SystemBlock;
BYTE* SystemBlockBytes();  // the 124 bytes of g_SystemBlock

// The names the rest of the program uses for the system block's fields.
extern WORD (&g_wModeTable)[40];
extern BYTE& g_byModeIndex;
extern BYTE& g_byInputSource;
extern WORD& g_wMasterLevel;
extern BYTE (&g_bySysParams)[6];
extern BYTE (&g_bySysSpeakerType)[8];
extern BYTE (&g_bySysState)[8];
extern BYTE& g_byCurScene;
extern BYTE (&g_bySysGroup8)[8];

// Writes every start value of the images, the system block and the program-wide tables.
// Called once at start-up before any window or thread exists.
void InitAllData();
