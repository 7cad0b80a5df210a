#include "PresetFile.h"

#include "SceneImage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

const CString g_strFileTagScene = "KRV3300_File_2.0";
const CString g_strFileTagAll = "KRV3300_ALLFile_2.0";
const CString g_strFileTagMap = "KRV3300_Map";
const CString g_strFileTagMode = "Mode_File";

// ---------------------------------------------------------------------------------------------
// Archive

void CPresetArchive::WriteTag(const CString& tag)
{
    const size_t n = tag.size() < 255 ? tag.size() : 254;
    WriteByte(BYTE(n));
    WriteBytes(reinterpret_cast<const BYTE*>(tag.data()), n);
}

void CPresetArchive::WriteWord(WORD w)
{
    WriteByte(BYTE(w & 0xFF));
    WriteByte(BYTE(w >> 8));
}

bool CPresetArchive::ReadTag(CString& tag)
{
    if (Remaining() < 1 || Remaining() - 1 < m_bytes[m_nPos])
        return false;
    const size_t n = m_bytes[m_nPos];
    tag.assign(reinterpret_cast<const char*>(m_bytes.data() + m_nPos + 1), n);
    m_nPos += 1 + n;
    return true;
}

bool CPresetArchive::ReadByte(BYTE& b) { return ReadBytes(&b, 1); }

bool CPresetArchive::ReadWord(WORD& w)
{
    BYTE two[2];
    if (!ReadBytes(two, 2))
        return false;
    w = WORD(two[0] | (two[1] << 8));
    return true;
}

bool CPresetArchive::ReadBytes(BYTE* p, size_t n)
{
    if (Remaining() < n)
        return false;
    std::memcpy(p, m_bytes.data() + m_nPos, n);
    m_nPos += n;
    return true;
}

namespace {

// The archive holds exactly a file of that size starting with the tag; the tag is consumed.
bool OpenChecked(CPresetArchive& ar, const CString& tag, size_t size)
{
    if (ar.Size() != size)
        return false;
    CString read;
    return ar.ReadTag(read) && read == tag;
}

void WriteSystemFields(CPresetArchive& ar, const PresetSystemFields& s)
{
    ar.WriteByte(s.byInputSource);
    ar.WriteByte(s.bySysParams0);
    ar.WriteWord(s.wMasterLevel);
    ar.WriteByte(s.byInputKind);
    ar.WriteByte(s.bySysParams1);
    ar.WriteByte(s.byInputSourceAgain);
    ar.WriteBytes(s.byGroup8, sizeof s.byGroup8);
    ar.WriteBytes(s.bySysParams2to4, sizeof s.bySysParams2to4);
    ar.WriteBytes(s.bySpeakerType, sizeof s.bySpeakerType);
}

bool ReadSystemFields(CPresetArchive& ar, PresetSystemFields& s)
{
    return ar.ReadByte(s.byInputSource) && ar.ReadByte(s.bySysParams0) && ar.ReadWord(s.wMasterLevel) &&
           ar.ReadByte(s.byInputKind) && ar.ReadByte(s.bySysParams1) && ar.ReadByte(s.byInputSourceAgain) &&
           ar.ReadBytes(s.byGroup8, sizeof s.byGroup8) && ar.ReadBytes(s.bySysParams2to4, sizeof s.bySysParams2to4) &&
           ar.ReadBytes(s.bySpeakerType, sizeof s.bySpeakerType);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Files from content and back

std::vector<BYTE> BuildSceneFile(const BYTE* pLive)
{
    CPresetArchive ar;
    ar.WriteTag(g_strFileTagScene);
    ar.WriteBytes(pLive, SCENE_IMAGE_SIZE);
    return ar.Bytes();
}

bool ParseSceneFile(const std::vector<BYTE>& bytes, BYTE* pLive)
{
    CPresetArchive ar(bytes);
    SceneImage live;
    if (!OpenChecked(ar, g_strFileTagScene, SCENE_FILE_SIZE) || !ar.ReadBytes(live, SCENE_IMAGE_SIZE))
        return false;
    std::memcpy(pLive, live, SCENE_IMAGE_SIZE);
    return true;
}

std::vector<BYTE> BuildAllScenesFile(const AllScenesContent& c)
{
    CPresetArchive ar;
    ar.WriteTag(g_strFileTagAll);
    for (const SceneImage& img : c.stored)
        ar.WriteBytes(img, SCENE_IMAGE_SIZE);
    ar.WriteBytes(c.live, SCENE_IMAGE_SIZE);
    WriteSystemFields(ar, c.sys);
    return ar.Bytes();
}

bool ParseAllScenesFile(const std::vector<BYTE>& bytes, AllScenesContent& content)
{
    CPresetArchive ar(bytes);
    if (!OpenChecked(ar, g_strFileTagAll, ALL_SCENES_FILE_SIZE))
        return false;
    auto read = std::make_unique<AllScenesContent>();
    for (SceneImage& img : read->stored)
        if (!ar.ReadBytes(img, SCENE_IMAGE_SIZE))
            return false;
    if (!ar.ReadBytes(read->live, SCENE_IMAGE_SIZE) || !ReadSystemFields(ar, read->sys))
        return false;
    content = *read;
    return true;
}

std::vector<BYTE> BuildMapFile(const MapContent& c)
{
    CPresetArchive ar;
    ar.WriteTag(g_strFileTagMap);
    ar.WriteBytes(c.bySpeakerType, sizeof c.bySpeakerType);
    for (const MapEntry& e : c.entry) {
        ar.WriteWord(e.wHighFreq);
        ar.WriteByte(e.byHighSlope);
        ar.WriteByte(e.byHighClass);
        ar.WriteWord(e.wLowFreq);
        ar.WriteByte(e.byLowSlope);
        ar.WriteByte(e.byLowClass);
    }
    return ar.Bytes();
}

bool ParseMapFile(const std::vector<BYTE>& bytes, MapContent& content)
{
    CPresetArchive ar(bytes);
    MapContent read;
    if (!OpenChecked(ar, g_strFileTagMap, MAP_FILE_SIZE) || !ar.ReadBytes(read.bySpeakerType, 8))
        return false;
    for (MapEntry& e : read.entry)
        if (!ar.ReadWord(e.wHighFreq) || !ar.ReadByte(e.byHighSlope) || !ar.ReadByte(e.byHighClass) ||
            !ar.ReadWord(e.wLowFreq) || !ar.ReadByte(e.byLowSlope) || !ar.ReadByte(e.byLowClass))
            return false;
    content = read;
    return true;
}

std::vector<BYTE> BuildModeFile(const ModeContent& c)
{
    CPresetArchive ar;
    ar.WriteTag(g_strFileTagMode);
    ar.WriteByte(c.byModeIndex);
    for (WORD w : c.wRow)
        ar.WriteWord(w);
    return ar.Bytes();
}

bool ParseModeFile(const std::vector<BYTE>& bytes, ModeContent& content)
{
    CPresetArchive ar(bytes);
    ModeContent read;
    if (!OpenChecked(ar, g_strFileTagMode, MODE_FILE_SIZE) || !ar.ReadByte(read.byModeIndex))
        return false;
    // The index chooses the row the file is read into: a table has four.
    if (read.byModeIndex >= MODE_ROWS)
        return false;
    for (WORD& w : read.wRow)
        if (!ar.ReadWord(w))
            return false;
    content = read;
    return true;
}

PresetSystemFields TakePresetSystemFields()
{
    PresetSystemFields s;
    s.byInputSource = g_byInputSource;
    s.bySysParams0 = g_bySysParams[0];
    s.wMasterLevel = g_wMasterLevel;
    s.byInputKind = g_bySysGroup8[1];
    s.bySysParams1 = g_bySysParams[1];
    s.byInputSourceAgain = g_byInputSource;
    std::memcpy(s.byGroup8, g_bySysGroup8 + 3, sizeof s.byGroup8);
    std::memcpy(s.bySysParams2to4, g_bySysParams + 2, sizeof s.bySysParams2to4);
    std::memcpy(s.bySpeakerType, g_bySysSpeakerType, sizeof s.bySpeakerType);
    return s;
}

void ApplyPresetSystemFields(const PresetSystemFields& s)
{
    g_bySysParams[0] = s.bySysParams0;
    g_wMasterLevel = s.wMasterLevel;
    g_bySysGroup8[1] = s.byInputKind;
    g_bySysParams[1] = s.bySysParams1;
    g_byInputSource = s.byInputSourceAgain;
    std::memcpy(g_bySysGroup8 + 3, s.byGroup8, sizeof s.byGroup8);
    std::memcpy(g_bySysParams + 2, s.bySysParams2to4, sizeof s.bySysParams2to4);
    std::memcpy(g_bySysSpeakerType, s.bySpeakerType, sizeof s.bySpeakerType);
}

MapEntry MapEntryFromRecord(const BYTE* r)
{
    MapEntry e;
    e.wHighFreq = WORD(r[0] | (r[1] << 8));
    e.byHighClass = r[2];
    e.byHighSlope = r[3];
    e.wLowFreq = WORD(r[4] | (r[5] << 8));
    e.byLowClass = r[6];
    e.byLowSlope = r[7];
    return e;
}

// ---------------------------------------------------------------------------------------------
// Disk

bool ReadPresetFile(const CString& path, std::vector<BYTE>& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && size_t(st.st_size) <= PRESET_FILE_READ_LIMIT;
    std::vector<BYTE> read;
    if (ok) {
        BYTE buf[4096];
        for (;;) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0)
                break;
            read.insert(read.end(), buf, buf + n);
            if (read.size() > PRESET_FILE_READ_LIMIT) {
                ok = false;
                break;
            }
        }
    }
    ::close(fd);
    if (ok)
        bytes.swap(read);
    return ok;
}

bool WritePresetFile(const CString& path, const std::vector<BYTE>& bytes)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return false;
    CString temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
        return false;
    temp = name.data();
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += size_t(n);
    }
    ok = ok && ::fsync(fd) == 0;
    // A new file gets the usual permissions rather than mkstemp's private ones.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}
