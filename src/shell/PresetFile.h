// The PC preset files as bytes: a counted tag (one length byte, the characters without a
// terminator), then raw scene images and single system bytes in a fixed order, 16-bit values
// little-endian; no header, checksum or padding beyond that.
//
//   one scene (ekds)     5001 bytes: tag "KRV3300_File_2.0", the live image
//   all scenes (ekda)   34931 bytes: tag "KRV3300_ALLFile_2.0", stored scenes 1..6, the live
//                                    image, 22 system fields (PresetSystemFields)
//   output map (qbtz)     100 bytes: tag "KRV3300_Map", 8 speaker types, 10 crossover entries
//   mode (no extension)    31 bytes: tag "Mode_File", the mode index, that row of the mode table
//
// Parsing never writes its output unless the whole buffer passed: its length is exactly the
// layout's, the length byte and the tag match (case-sensitive). Nothing here touches the model
// or takes a lock; the document does that with what a parse produced. Any thread.
#pragma once

#include "SceneImage.h"
#include "WinTypes.h"

#include <cstddef>
#include <utility>
#include <vector>

extern const CString g_strFileTagScene;  // "KRV3300_File_2.0"
extern const CString g_strFileTagAll;    // "KRV3300_ALLFile_2.0"
extern const CString g_strFileTagMap;    // "KRV3300_Map"
extern const CString g_strFileTagMode;   // "Mode_File"

constexpr size_t SCENE_FILE_SIZE = 5001;
constexpr size_t ALL_SCENES_FILE_SIZE = 34931;
constexpr size_t MAP_FILE_SIZE = 100;
constexpr size_t MODE_FILE_SIZE = 31;
// A file larger than this is not one of ours and is not read into memory at all.
constexpr size_t PRESET_FILE_READ_LIMIT = 1 << 20;

// The system settings an all-scenes file carries, in file order.
struct PresetSystemFields {
    BYTE byInputSource = 0;       // g_byInputSource
    BYTE bySysParams0 = 0;        // g_bySysParams[0]
    WORD wMasterLevel = 0;        // g_wMasterLevel
    BYTE byInputKind = 0;         // g_bySysGroup8[1]
    BYTE bySysParams1 = 0;        // g_bySysParams[1]
    BYTE byInputSourceAgain = 0;  // g_byInputSource again: on reading this copy is kept
    BYTE byGroup8[5] = {};        // g_bySysGroup8[3..7]; [1] of these (byte 4) the audio source
    BYTE bySysParams2to4[3] = {}; // g_bySysParams[2..4]; [2] the master output switch
    BYTE bySpeakerType[8] = {};   // g_bySysSpeakerType[0..7]
};

struct AllScenesContent {
    SceneImage stored[STORED_SCENES];
    SceneImage live;
    PresetSystemFields sys;
};

// One crossover entry of the output-map file (the slope before the class in both filters).
struct MapEntry {
    WORD wHighFreq = 0;
    BYTE byHighSlope = 0;
    BYTE byHighClass = 0;
    WORD wLowFreq = 0;
    BYTE byLowSlope = 0;
    BYTE byLowClass = 0;
};
constexpr int MAP_OUTPUTS = 10;
struct MapContent {
    BYTE bySpeakerType[8] = {};
    MapEntry entry[MAP_OUTPUTS];
};

constexpr int MODE_ROWS = 4;
constexpr int MODE_ROW_VALUES = 10;
struct ModeContent {
    BYTE byModeIndex = 0;                // 0..3, checked on reading
    WORD wRow[MODE_ROW_VALUES] = {};     // that row of the mode table
};

// A byte stream in one direction: written from empty, or read from the start of a buffer.
// A read past the end fails and leaves its output alone.
class CPresetArchive {
public:
    // Storing.
    CPresetArchive() : m_bStoring(true) {}
    // Loading these bytes.
    explicit CPresetArchive(std::vector<BYTE> bytes) : m_bStoring(false), m_bytes(std::move(bytes)) {}

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }
    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }

    void WriteTag(const CString& tag);  // tags are shorter than 255 characters
    void WriteByte(BYTE b) { m_bytes.push_back(b); }
    void WriteWord(WORD w);
    void WriteBytes(const BYTE* p, size_t n) { m_bytes.insert(m_bytes.end(), p, p + n); }

    // The tag at the read position; false (nothing consumed) when the length byte runs past the end.
    bool ReadTag(CString& tag);
    bool ReadByte(BYTE& b);
    bool ReadWord(WORD& w);
    bool ReadBytes(BYTE* p, size_t n);
    size_t Remaining() const { return m_bytes.size() - m_nPos; }

private:
    bool m_bStoring;
    std::vector<BYTE> m_bytes;
    size_t m_nPos = 0;
};

// Whole files from content.
std::vector<BYTE> BuildSceneFile(const BYTE* pLive);
std::vector<BYTE> BuildAllScenesFile(const AllScenesContent& content);
std::vector<BYTE> BuildMapFile(const MapContent& content);
std::vector<BYTE> BuildModeFile(const ModeContent& content);

// Content from whole files: true and the output written only when every check passed.
bool ParseSceneFile(const std::vector<BYTE>& bytes, BYTE* pLive);
bool ParseAllScenesFile(const std::vector<BYTE>& bytes, AllScenesContent& content);
bool ParseMapFile(const std::vector<BYTE>& bytes, MapContent& content);
bool ParseModeFile(const std::vector<BYTE>& bytes, ModeContent& content);

// The system fields from the system block and back (the caller holds g_csComm).
PresetSystemFields TakePresetSystemFields();
void ApplyPresetSystemFields(const PresetSystemFields& sys);

// The map entry of one 8-byte crossover record (high-pass frequency, class, slope, then the
// low-pass the same way).
MapEntry MapEntryFromRecord(const BYTE* pRecord);

// The file at path, whole: false for a missing or unreadable file, a folder, or one larger
// than PRESET_FILE_READ_LIMIT.
bool ReadPresetFile(const CString& path, std::vector<BYTE>& bytes);
// Writes the bytes to a fresh file beside path and moves it over path once every write, the
// flush and the close succeeded; on any failure the partial file is removed and path is left
// as it was.
bool WritePresetFile(const CString& path, const std::vector<BYTE>& bytes);
