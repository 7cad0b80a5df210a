#include "EmuLoader.h"

#include "EmuDeviceState.h"

#include <algorithm>

namespace {

constexpr BYTE kLoader = 0xFF;
constexpr BYTE kApply = 0x36;
constexpr BYTE kStart = 0x37;
constexpr BYTE kData = 0x38;
constexpr BYTE kEnd = 0x39;
constexpr BYTE kDspRequest = 0x3A;
constexpr BYTE kDspData = 0x3B;
constexpr BYTE kDspEnd = 0x3C;
constexpr BYTE kEntry0 = 'C';
constexpr BYTE kEntry1 = 0x11;

DWORD Le32(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }

BYTE CheckOf(const std::vector<BYTE>& bytes, size_t n)
{
    BYTE check = EMU_CHECK_SEED;
    for (size_t i = 0; i < n && i < bytes.size(); ++i)
        check ^= bytes[i];
    return check;
}

}  // namespace

void CEmuLoader::OnRawBytes(const BYTE* data, size_t n)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    for (size_t i = 0; i < n; ++i) {
        const BYTE b = data[i];
        if (!m_bWantSecond && b == kEntry0) {
            m_bWantSecond = true;
        } else if (m_bWantSecond && b == kEntry1) {
            m_bWantSecond = false;
            if (++m_nPairs >= EMU_LOADER_ENTRY_PAIRS && (m_eMode == EMode::Running || m_eMode == EMode::Updated))
                m_eMode = EMode::EntryAsked;
        } else {
            m_bWantSecond = b == kEntry0;
            m_nPairs = 0;
        }
    }
}

CEmuOutcome CEmuLoader::Answer(const CEmuFrame& request, bool ok) const
{
    CEmuOutcome out;
    out.reply = ok ? MakeEmuAck(request) : MakeEmuReject(request);
    return out;
}

bool CEmuLoader::EndCheckMatches(BYTE check) const
{
    if (m_bMcuPhase) {
        if (m_mcuStart.size() < 4)
            return false;
        const size_t length = Le32(m_mcuStart.data());
        return length > 0 && m_mcuBody.size() >= length && CheckOf(m_mcuBody, length) == check;
    }
    return m_bDspPhase && m_dsp.size() == size_t(EMU_DSP_IMAGE_SIZE) && CheckOf(m_dsp, m_dsp.size()) == check;
}

CEmuOutcome CEmuLoader::OnFirmwareStep(const CEmuFrame& request)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    const BYTE step = request.Channel();
    const int nth = ++m_counts[step];
    const auto fault = m_faults.find({step, nth});
    if (fault != m_faults.end()) {
        const EFault kind = fault->second;
        m_faults.erase(fault);
        CEmuOutcome out;
        if (kind == EFault::Reject)
            out.reply = MakeEmuReject(request);
        else if (kind == EFault::DropLink)
            out.bDropLink = true;
        return out;
    }

    const int n = request.PayloadLength();
    const BYTE* p = request.Payload();
    const bool inLoader = m_eMode == EMode::Loader;
    switch (step) {
    case kLoader:
        if (m_eMode != EMode::Loader)
            m_eMode = EMode::EntryAsked;
        return Answer(request, true);
    case kApply: {
        if (m_eMode == EMode::Loader)
            return Answer(request, true);
        if (m_eMode != EMode::EntryAsked)
            return Answer(request, false);
        m_eMode = EMode::Loader;
        m_bDspPhase = m_bMcuPhase = false;
        m_dsp.clear();
        m_mcuStart.clear();
        m_mcuBody.clear();
        CEmuOutcome out = Answer(request, true);
        out.nRestartMs = m_nRestartMs;
        return out;
    }
    case kDspRequest:
        if (!inLoader)
            return Answer(request, false);
        m_bDspPhase = true;
        m_dsp.clear();
        m_dwNextAddress = 0;
        return Answer(request, true);
    case kDspData: {
        if (!inLoader || !m_bDspPhase || n < 4 || Le32(p) != m_dwNextAddress ||
            m_dwNextAddress >= DWORD(EMU_DSP_IMAGE_SIZE))
            return Answer(request, false);
        const int take = std::min(EMU_DSP_BLOCK, EMU_DSP_IMAGE_SIZE - int(m_dwNextAddress));
        if (n < 4 + take)
            return Answer(request, false);
        m_dsp.insert(m_dsp.end(), p + 4, p + 4 + take);
        m_dwNextAddress += EMU_DSP_BLOCK;
        return Answer(request, true);
    }
    case kStart:
        if (!inLoader || n != 4)
            return Answer(request, false);
        m_bMcuPhase = true;
        m_mcuStart.assign(p, p + 4);
        m_mcuBody.clear();
        return Answer(request, true);
    case kData:
        if (!inLoader || !m_bMcuPhase || n != EMU_MCU_BLOCK)
            return Answer(request, false);
        m_mcuBody.insert(m_mcuBody.end(), p, p + n);
        return Answer(request, true);
    case kEnd:
        if (!inLoader || n != 1 || !EndCheckMatches(p[0]))
            return Answer(request, false);
        m_eMode = EMode::Updated;
        ++m_nUpdates;
        return Answer(request, true);
    case kDspEnd:
        return Answer(request, inLoader);
    default:
        return Answer(request, false);
    }
}

void CEmuLoader::SetApplyRestartMs(int ms)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_nRestartMs = ms;
}

void CEmuLoader::AddFault(BYTE step, int nth, EFault fault)
{
    std::lock_guard<std::mutex> lk(m_mutex);
    m_faults[{step, nth}] = fault;
}

CEmuLoader::EMode CEmuLoader::GetMode() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_eMode;
}

int CEmuLoader::GetStepCount(BYTE step) const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    const auto it = m_counts.find(step);
    return it == m_counts.end() ? 0 : it->second;
}

std::vector<BYTE> CEmuLoader::GetDspImage() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_dsp;
}

std::vector<BYTE> CEmuLoader::GetMcuStartRecord() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_mcuStart;
}

std::vector<BYTE> CEmuLoader::GetMcuBody() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_mcuBody;
}

int CEmuLoader::GetUpdateCount() const
{
    std::lock_guard<std::mutex> lk(m_mutex);
    return m_nUpdates;
}
