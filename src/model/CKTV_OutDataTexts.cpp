// CKTV_OutData: display texts of the parameter listing. Each returns a new string.
#include "CKTV_OutData.h"

#include "ValueText.h"

namespace {

CString PercentText(int nLevel) { return FormatText("%d%%", nLevel); }

CString MaskBitText(BYTE byMask, int nBit) { return OnOffText(byMask & (1 << nBit)); }

}  // namespace

CString CKTV_OutData::GetGainText() const
{
    if (m_bGainMute)
        return "-60.0dB";
    return FormatText("%0.1fdB", m_nGain * 0.1 - 60);
}

CString CKTV_OutData::GetPolarityText() const { return PolarityText(m_byPolarity); }

CString CKTV_OutData::GetOnText() const { return OnOffText(m_byOn); }

CString CKTV_OutData::GetDelayText() const { return DelayStepText(m_nDelay); }

CString CKTV_OutData::GetLimitThresholdText() const
{
    return FormatText("%0.1fdBu", m_nLimitThreshold * 0.1 - 30);
}

CString CKTV_OutData::GetLimitAttackText() const
{
    // Steps 0..6 are 0.3..0.9 ms, from 7 up whole milliseconds from 1 ms.
    if (m_nLimitAttack <= 6)
        return FormatText("%0.1fms", (m_nLimitAttack + 3) * 0.1);
    return FormatText("%dms", m_nLimitAttack - 6);
}

CString CKTV_OutData::GetLimitReleaseText() const
{
    return FormatText("%dms", ReleaseCodeToMs(m_nLimitRelease));
}

CString CKTV_OutData::GetMaskBit0Text() const { return MaskBitText(m_byInMask, 0); }
CString CKTV_OutData::GetMaskBit1Text() const { return MaskBitText(m_byInMask, 1); }
CString CKTV_OutData::GetMaskBit2Text() const { return MaskBitText(m_byInMask, 2); }
CString CKTV_OutData::GetMaskBit3Text() const { return MaskBitText(m_byInMask, 3); }
CString CKTV_OutData::GetMaskBit4Text() const { return MaskBitText(m_byInMask, 4); }

CString CKTV_OutData::GetInLeftText() const { return m_bInLeftMute ? "0%" : PercentText(m_byInLeft); }
CString CKTV_OutData::GetInRightText() const { return m_bInRightMute ? "0%" : PercentText(m_byInRight); }
CString CKTV_OutData::GetIn5Text() const { return m_bIn5Mute ? "0%" : PercentText(m_byIn5); }
CString CKTV_OutData::GetInput3Text() const { return PercentText(m_byIn3); }
CString CKTV_OutData::GetInput4Text() const { return PercentText(m_byIn4); }

CString CKTV_OutData::GetBalanceText() const
{
    return FormatText("%d%%:%d%%", m_byInBalance, 100 - m_byInBalance);
}

CString CKTV_OutData::GetInLeftOnText() const { return m_byInLeft ? "ON" : "OFF"; }
CString CKTV_OutData::GetInRightOnText() const { return m_byInRight ? "ON" : "OFF"; }
