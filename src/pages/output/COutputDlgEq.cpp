// The output page's equaliser and crossover editing: the band fields, faders and bypass
// buttons, the crossover lists and frequencies, and the copy of each edit to the channels linked
// with the current one. The page only stores through the filter setters, which stamp the
// filters for the comm worker; nothing here builds a frame.
#include "COutputDlg.h"
#include "OutputPageGlobals.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CPageHost.h"
#include "Globals.h"

#include <algorithm>
#include <functional>

namespace {

constexpr int kHighPass = OUTPUT_BANDS;      // element of the high-pass filter
constexpr int kLowPass = OUTPUT_BANDS + 1;   // element of the low-pass filter

bool InRange(UINT id, UINT first) { return id >= first && id < first + UINT(OUTPUT_BANDS); }

}  // namespace

CFilter* COutputDlg::ElementOf(CKTV_OutData* out, int nElement)
{
    if (!out)
        return nullptr;
    if (nElement >= 0 && nElement < OUTPUT_BANDS)
        return out->GetFilter(nElement);
    if (nElement == kHighPass)
        return out->GetHighPass();
    if (nElement == kLowPass)
        return out->GetLowPass();
    return nullptr;
}

BOOL COutputDlg::IsPairHead(int ch)
{
    // Only an even output has a partner, and output 9 is the last one.
    return ch >= 0 && ch % 2 == 0 && ch + 1 < OUTPUT_STRIPS && g_pPageHost && g_pPageHost->IsStereoPair(ch);
}

void COutputDlg::CopyToGroup(int nElement, const std::function<void(CFilter&)>& store)
{
    const int c = g_nCurOutput;
    if (c < 0 || c >= OUTPUT_STRIPS)
        return;
    auto apply = [&](int ch) {
        if (CFilter* f = ElementOf(Channel(ch), nElement))
            store(*f);
    };
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (i == c || g_nLinkGroup[i] != g_nLinkGroup[c])
            continue;
        apply(i);
        if (IsPairHead(i))
            apply(i + 1);
    }
    if (IsPairHead(c))
        apply(c + 1);
}

void COutputDlg::CopyBandFreqToGroup(int n)
{
    const int v = m_nFreq;
    CopyToGroup(n, [v](CFilter& f) { f.SetFreq(v, TRUE); });
}

void COutputDlg::CopyBandQToGroup(int n)
{
    const int v = m_nQ;
    CopyToGroup(n, [v](CFilter& f) { f.SetBandwidthIndex(v); });
}

void COutputDlg::CopyBandGainToGroup(int n)
{
    const int v = m_nGain;
    CopyToGroup(n, [v](CFilter& f) { f.SetGainIndex(v); });
}

void COutputDlg::CopyBandBypassToGroup(int n)
{
    const BOOL v = m_bBypass;
    CopyToGroup(n, [v](CFilter& f) { f.SetBypass(v); });
}

void COutputDlg::CopyBandToGroup(int n)
{
    const int freq = m_nFreq, q = m_nQ, gain = m_nGain;
    CopyToGroup(n, [=](CFilter& f) {
        f.SetFreq(freq, TRUE);
        f.SetBandwidthIndex(q);
        f.SetGainIndex(gain);
    });
    m_graph.DrawGraph(-1);
}

void COutputDlg::CopyHpfClassToGroup()
{
    const int v = m_nHpfClass;
    CopyToGroup(kHighPass, [v](CFilter& f) { f.SetFilterClass(v, TRUE); });
}

void COutputDlg::CopyHpfSlopeToGroup()
{
    const int v = m_nHpfSlope;
    CopyToGroup(kHighPass, [v](CFilter& f) { f.SetSlope(v, TRUE); });
}

void COutputDlg::CopyHpfFreqToGroup()
{
    const int v = m_nHpfFreq;
    CopyToGroup(kHighPass, [v](CFilter& f) { f.SetFreq(v, TRUE); });
}

void COutputDlg::CopyLpfClassToGroup()
{
    const int v = m_nLpfClass;
    CopyToGroup(kLowPass, [v](CFilter& f) { f.SetFilterClass(v, TRUE); });
}

void COutputDlg::CopyLpfSlopeToGroup()
{
    const int v = m_nLpfSlope;
    CopyToGroup(kLowPass, [v](CFilter& f) { f.SetSlope(v, TRUE); });
}

void COutputDlg::CopyLpfFreqToGroup()
{
    const int v = m_nLpfFreq;
    CopyToGroup(kLowPass, [v](CFilter& f) { f.SetFreq(v, TRUE); });
}

// ---- bands ----

void COutputDlg::BandEditTail(int n, int nWhich)
{
    m_graph.DrawGraph(n);
    HighlightBandLabel(n, TRUE);
    FocusBandEdit(n, nWhich, TRUE);
    MarkEdited();
}

void COutputDlg::MarkEdited()
{
    if (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_STRIPS)
        g_nLinkMark[g_nCurOutput] = 1;
}

void COutputDlg::OnBandFreq(int n)
{
    if (!CurrentChannel() || !(m_pFilter = m_pOutData->GetFilter(n)))
        return;
    m_nFreq = m_spinBandFreq[n].GetPos();
    if (m_pFilter->GetFreq() != m_nFreq) {
        m_pFilter->SetFreq(m_nFreq, TRUE);
        CopyBandFreqToGroup(n);
    }
    BandEditTail(n, 0);
}

void COutputDlg::OnBandQ(int n)
{
    if (!CurrentChannel() || !(m_pFilter = m_pOutData->GetFilter(n)))
        return;
    m_nQ = m_spinBandQ[n].GetPos();
    if (m_pFilter->GetBandwidthIndex() != m_nQ) {
        m_pFilter->SetBandwidthIndex(m_nQ);
        CopyBandQToGroup(n);
    }
    BandEditTail(n, 1);
}

void COutputDlg::StoreBandGain(int n)
{
    if (m_pFilter->GetGainIndex() == m_nGain)
        return;
    m_pFilter->SetGainIndex(m_nGain);
    SetBandBypassLook(m_pFilter->IsBypassed(), n);
    CopyBandGainToGroup(n);
    UpdateAllBypassButton();
}

void COutputDlg::OnBandGain(int n)
{
    if (!CurrentChannel() || !(m_pFilter = m_pOutData->GetFilter(n)))
        return;
    m_nGain = m_spinBandGain[n].GetPos();
    m_sliderBandGain[n].SetValue(m_nGain);
    StoreBandGain(n);
    BandEditTail(n, 2);
}

void COutputDlg::OnBandSlider(int n)
{
    if (!CurrentChannel() || !(m_pFilter = m_pOutData->GetFilter(n)))
        return;
    m_nGain = m_sliderBandGain[n].GetValue();
    m_spinBandGain[n].SetPos(m_nGain);
    StoreBandGain(n);
    BandEditTail(n, 2);
}

void COutputDlg::OnBandBypass(int n)
{
    if (!CurrentChannel() || !(m_pFilter = m_pOutData->GetFilter(n)))
        return;
    m_pFilter->SetBypass(!m_btnBypass[n].GetCheck());
    m_bBypass = m_pFilter->IsBypassed();
    if (m_bBypass) {
        SetBandBypassLook(TRUE, n);
    } else {
        m_spinBandGain[n].SetPos(m_pFilter->GetGainIndex());
        m_sliderBandGain[n].SetValue(m_pFilter->GetGainIndex());
        m_btnBypass[n].SetCheck(FALSE);
    }
    CopyBandBypassToGroup(n);
    UpdateAllBypassButton();
    BandEditTail(n, 2);
    if (m_pFocusEdit)
        m_pFocusEdit->SetFocus();
}

LRESULT COutputDlg::OnSliderMessage(WPARAM wParam, BOOL bMoved)
{
    const UINT id = UINT(wParam);
    if (id == IDC_PAGE_GAIN_SLIDER)
        return OnGainSliderMessage(bMoved);
    if (InRange(id, IDC_BAND_SLIDER)) {
        OnBandSlider(int(id - IDC_BAND_SLIDER));
        if (bMoved && m_pFocusEdit)
            m_pFocusEdit->SetFocus();
    }
    MarkEdited();
    return 1;
}

void COutputDlg::UpdateAllBypassButton()
{
    if (!CurrentChannel())
        return;
    m_bAllBypass = m_pOutData->IsAllBypass();
    if (g_pPageHost)
        g_pPageHost->SetAllBypassCheck(m_bAllBypass);
}

// ---- crossovers ----

void COutputDlg::OnCrossoverClass(bool bHigh)
{
    CFilter* f = bHigh ? m_pOutData->GetHighPass() : m_pOutData->GetLowPass();
    int& cls = bHigh ? m_nHpfClass : m_nLpfClass;
    cls = (bHigh ? m_btnHpfClass : m_btnLpfClass).GetCurSel();
    if (f && cls >= 0 && f->GetFilterClass() != cls) {
        f->SetFilterClass(cls, TRUE);
        bHigh ? CopyHpfClassToGroup() : CopyLpfClassToGroup();
    }
    m_graph.DrawGraph(bHigh ? kHighPass : kLowPass);
    MarkEdited();
}

void COutputDlg::OnCrossoverSlope(bool bHigh)
{
    CFilter* f = bHigh ? m_pOutData->GetHighPass() : m_pOutData->GetLowPass();
    CComBoxBtn& classBtn = bHigh ? m_btnHpfClass : m_btnLpfClass;
    int& slope = bHigh ? m_nHpfSlope : m_nLpfSlope;
    slope = (bHigh ? m_btnHpfSlope : m_btnLpfSlope).GetCurSel();
    if (f && slope >= 0 && f->GetSlope() != slope) {
        f->SetSlope(slope, TRUE);
        // 6 dB/Oct has no class to choose.
        EnableDropButton(slope != 0, &classBtn);
        int& cls = bHigh ? m_nHpfClass : m_nLpfClass;
        cls = std::clamp(f->GetFilterClass(), 0, 2);
        classBtn.SetCurSel(cls);
        bHigh ? CopyHpfSlopeToGroup() : CopyLpfSlopeToGroup();
    }
    m_graph.DrawGraph(bHigh ? kHighPass : kLowPass);
    MarkEdited();
}

void COutputDlg::OnHpfClassSel() { if (CurrentChannel()) OnCrossoverClass(true); }
void COutputDlg::OnHpfSlopeSel() { if (CurrentChannel()) OnCrossoverSlope(true); }
void COutputDlg::OnLpfClassSel() { if (CurrentChannel()) OnCrossoverClass(false); }
void COutputDlg::OnLpfSlopeSel() { if (CurrentChannel()) OnCrossoverSlope(false); }

void COutputDlg::ApplyDelayUnit()
{
    const int type = std::clamp(g_nDelayUnit, 1, 3) - 1;
    for (CNumEdit& e : m_editPosDelay)
        if (e.GetSafeHwnd())
            e.SetType(type, "");
}

LRESULT COutputDlg::OnDropListSelect(WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case 1014: OnHpfClassSel(); break;
    case 1015: OnHpfSlopeSel(); break;
    case 1016: OnLpfClassSel(); break;
    case 1017: OnLpfSlopeSel(); break;
    case IDC_DELAY_UNIT:
        g_nDelayUnit = std::clamp(m_btnDelayUnit.GetCurSel(), 0, 2) + 1;
        ApplyDelayUnit();
        break;
    default: break;
    }
    HighlightBandLabel(-1, FALSE);
    return 0;
}

void COutputDlg::OnCrossoverFreq(bool bHigh)
{
    if (!CurrentChannel())
        return;
    CFilter* f = bHigh ? m_pOutData->GetHighPass() : m_pOutData->GetLowPass();
    CFilter* other = bHigh ? m_pOutData->GetLowPass() : m_pOutData->GetHighPass();
    CNumSpin& spin = bHigh ? m_spinHpfFreq : m_spinLpfFreq;
    int& freq = bHigh ? m_nHpfFreq : m_nLpfFreq;
    m_pFilter = f;
    freq = spin.GetPos();
    if (f && f->GetFreq() != freq) {
        // The high-pass never rises above the low-pass on the channel edited.
        if (other) {
            const int limit = other->GetFreq();
            if ((bHigh && freq > limit) || (!bHigh && freq < limit)) {
                freq = limit;
                spin.SetPos(freq);
            }
        }
        f->SetFreq(freq, TRUE);
        UpdateSliderThumbs();
        bHigh ? CopyHpfFreqToGroup() : CopyLpfFreqToGroup();
    }
    m_graph.DrawGraph(bHigh ? kHighPass : kLowPass);
    HighlightBandLabel(-1, FALSE);
    MarkEdited();
}

void COutputDlg::OnHpfFreq() { OnCrossoverFreq(true); }
void COutputDlg::OnLpfFreq() { OnCrossoverFreq(false); }

// ---- command routing ----

BOOL COutputDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    // The fields' own notices (EN_CHANGE and the like) are theirs; the value notice (code 0),
    // the spins' steps and the button clicks are edits.
    if (HIWORD(wParam) != 0)
        return CDialog::OnCommand(wParam, lParam);
    if (OnPageButton(id) || OnHiddenControl(id))
        return TRUE;
    if (InRange(id, IDC_BAND_BYPASS)) {
        OnBandBypass(int(id - IDC_BAND_BYPASS));
        return TRUE;
    }
    const struct {
        UINT edit, spin;
        void (COutputDlg::*handler)(int);
    } bands[3] = {{IDC_BAND_FREQ_EDIT, IDC_BAND_FREQ_SPIN, &COutputDlg::OnBandFreq},
                  {IDC_BAND_Q_EDIT, IDC_BAND_Q_SPIN, &COutputDlg::OnBandQ},
                  {IDC_BAND_GAIN_EDIT, IDC_BAND_GAIN_SPIN, &COutputDlg::OnBandGain}};
    for (const auto& b : bands) {
        if (InRange(id, b.edit) || InRange(id, b.spin)) {
            (this->*b.handler)(int(InRange(id, b.spin) ? id - b.spin : id - b.edit));
            return TRUE;
        }
    }
    if (id == IDC_HPF_FREQ_EDIT || id == IDC_HPF_FREQ_SPIN) {
        OnHpfFreq();
        return TRUE;
    }
    if (id == IDC_LPF_FREQ_EDIT || id == IDC_LPF_FREQ_SPIN) {
        OnLpfFreq();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
