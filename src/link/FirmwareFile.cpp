#include "FirmwareFile.h"

#include "Texts.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr BYTE kDspTag[FW_TAG_SIZE] = {'W', 'D', 'S', 'P'};
constexpr BYTE kMcuTag[FW_TAG_SIZE] = {'W', 'M', 'C', 'U'};
constexpr size_t kMinMcuImage = FW_MCU_START_SIZE + 1;  // a start record and one body byte

bool TagAt(const std::vector<BYTE>& file, size_t offset, const BYTE (&tag)[FW_TAG_SIZE])
{
    return file.size() >= offset + FW_TAG_SIZE && std::memcmp(file.data() + offset, tag, FW_TAG_SIZE) == 0;
}

BYTE CheckOf(const BYTE* p, size_t n)
{
    BYTE check = FW_CHECK_SEED;
    for (size_t i = 0; i < n; ++i)
        check ^= p[i];
    return check;
}

}  // namespace

void CFirmwareFile::Clear()
{
    m_dsp.clear();
    m_mcu.clear();
    m_byMcuCheck = FW_CHECK_SEED;
    m_byDspCheck = FW_CHECK_SEED;
    m_nProgressCount = 0;
}

CFirmwareFile::EResult CFirmwareFile::Parse(const std::vector<BYTE>& file)
{
    Clear();
    const size_t length = file.size();
    if (length < size_t(FW_TAG_SIZE))
        return EResult::TooShort;

    size_t mcuAt = 0;  // where the controller image starts; 0: none
    if (length < size_t(FW_FULL_FILE_SIZE)) {
        if (!TagAt(file, 0, kMcuTag))
            return TagAt(file, 0, kDspTag) ? EResult::TooShort : EResult::BadTag;
        mcuAt = FW_TAG_SIZE;
    } else {
        // A long file must carry the DSP part first; "WMCU" here is refused.
        if (!TagAt(file, 0, kDspTag))
            return EResult::BadTag;
        if (length > size_t(FW_FULL_FILE_SIZE)) {
            if (length < size_t(FW_MCU_IMAGE_OFFSET))
                return EResult::LengthMismatch;
            if (!TagAt(file, FW_MCU_TAG_OFFSET, kMcuTag))
                return EResult::BadTag;
            mcuAt = FW_MCU_IMAGE_OFFSET;
        }
    }
    if (mcuAt && length - mcuAt < kMinMcuImage)
        return EResult::TooShort;

    if (length >= size_t(FW_FULL_FILE_SIZE)) {
        m_dsp.assign(file.begin() + FW_TAG_SIZE, file.begin() + FW_TAG_SIZE + FW_DSP_IMAGE_SIZE);
        m_byDspCheck = CheckOf(m_dsp.data(), m_dsp.size());
    }
    if (mcuAt) {
        m_mcu.assign(file.begin() + long(mcuAt), file.end());
        m_byMcuCheck = CheckOf(m_mcu.data() + FW_MCU_START_SIZE, m_mcu.size() - FW_MCU_START_SIZE);
    }
    const long long l = static_cast<long long>(length);
    m_nProgressCount = HasDspImage() ? int((l - 5 - FW_DSP_IMAGE_SIZE) / FW_MCU_BLOCK + FW_DSP_WHOLE_BLOCKS)
                                     : int(l / FW_MCU_BLOCK);
    return EResult::Ok;
}

CFirmwareFile::EResult CFirmwareFile::Load(const CString& path)
{
    Clear();
    std::ifstream in(path, std::ios::binary);
    if (path.empty() || !in)
        return EResult::CannotOpen;
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return EResult::CannotOpen;
    return Parse(bytes);
}

BOOL CFirmwareFile::IsUpdateFileName(const CString& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == CString::npos || (slash != CString::npos && dot < slash))
        return FALSE;
    return path.compare(dot + 1, CString::npos, g_strFirmwareExt) == 0 ? TRUE : FALSE;
}
