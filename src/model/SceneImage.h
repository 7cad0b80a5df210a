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

// Offset of a block inside a scene image; -1 for a type or channel that has no block
// (microphone and effect have one block each, channel 0).
int BlockOffset(int type, int channel);
// Size in bytes of a block of that type; 0 for an unknown type.
int BlockSize(int type);
// Number of 8-byte records in a block of that type; 0 for an unknown type.
inline int BlockRecords(int type) { return BlockSize(type) / RECORD_SIZE; }
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
    WORD wMasterLevel;          //  84: master level 0..66, start 60
    BYTE bySysParams[6];        //  86: system switches; [4] output on, start 1
    BYTE bySysSpeakerType[8];   //  92: speaker types of outputs 1..8 as the device keeps them
    BYTE bySysState[8];         // 100: state record, sent back unchanged
    BYTE byCurScene;            // 108: stored scene in use, 0 none, 1..6
    BYTE byReserved109[7];      // 109: carried only
    BYTE bySysGroup8[8];        // 116: input kind, channel mode, noise settings
};
constexpr int SYSTEM_BLOCK_SIZE = 124;
static_assert(sizeof(SystemBlock) == SYSTEM_BLOCK_SIZE, "system block is 124 bytes on the wire");
static_assert(offsetof(SystemBlock, byModeIndex) == 80, "layout");
static_assert(offsetof(SystemBlock, byInputSource) == 83, "layout");
static_assert(offsetof(SystemBlock, wMasterLevel) == 84, "layout");
static_assert(offsetof(SystemBlock, bySysParams) == 86, "layout");
static_assert(offsetof(SystemBlock, bySysSpeakerType) == 92, "layout");
static_assert(offsetof(SystemBlock, bySysState) == 100, "layout");
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
// Ten bytes, output i at byte i: bytes 0..7 are the window of sub-command 6, bytes 8..9 run on
// into the first two bytes of the state record (sub-command 7), which carries outputs 9 and 10.
extern BYTE (&g_bySysSpeakerType)[10];
extern BYTE (&g_bySysState)[8];
extern BYTE& g_byCurScene;
extern BYTE (&g_bySysGroup8)[8];

// The window of the system block that a system sub-command reads or writes: 2, 5, 6, 7, 8, 52,
// 64 and 96 have one (the windows of 96, 2 and 5 overlap, one byte apart). False for any other
// sub-command; offset and size are then left alone.
bool FindSystemWindow(int subCommand, int& offset, int& size);

// System sub-commands the main view reads after a good version check, in order; the last
// entry is the version sub-command read during the handshake.
constexpr int SYS_READ_COUNT = 6;
extern int g_nSysReadCmd[SYS_READ_COUNT + 1];

// The last state-poll reply, one payload byte per entry; [0] the device's input source group.
constexpr int DEVICE_INFO_COUNT = 30;
extern int g_nDeviceInfo[DEVICE_INFO_COUNT];

// Which second input source may be chosen. Entries in the order S/PDIF, Hi.Level, Phone, AUX1,
// AUX2, AUX3, OFF; one table of masks per device variant (AUX mode), one row per shown input.
constexpr int SOURCE_ENTRIES = 7;
constexpr int SOURCE_OFF = 6;
constexpr int SOURCE_VARIANTS = 3;
struct SourceRules {
    int nSourceSelect;                      // selected entry 0..6, start 6 (OFF)
    int nCurMask[SOURCE_ENTRIES];           // 1 = entry may be chosen now
    int nMaskV0[6][SOURCE_ENTRIES];         // variant 0 (2 CH)
    int nMaskV1[5][SOURCE_ENTRIES];         // variant 1 (4CH 2CH)
    int nMaskV2[4][SOURCE_ENTRIES];         // variant 2 (6 CH)

    // Copies the row of the variant's table into the current mask (a row or variant out of
    // range leaves the mask as it was). Returns 1 when the selected entry is allowed; otherwise
    // the selection becomes OFF and the result is 0.
    int SelectSourceRow(int row, int variant);
};
extern SourceRules g_SourceRules;
extern int& g_nSourceSelect;  // g_SourceRules.nSourceSelect
// Start values of the rules: selection OFF, all tables, row 0 of variant 0 as the mask.
void InitRuleTables();

// Writes every start value of the images, the system block and the program-wide tables.
// Called once at start-up before any window or thread exists; every byte it gives no value
// starts at 0.
void InitAllData();
