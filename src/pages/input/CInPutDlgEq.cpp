// The input page's equaliser: band edits, bypass lamps, the EQ-mode switch, all-bypass, reset,
// the band highlight and the graph's messages.
#include "CInPutDlg.h"

#include "CFilter.h"
#include "CMusic_InData.h"
#include "CPageHost.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Texts.h"

namespace {

bool IsBand(int n) { return n >= 0 && n < INPUT_BANDS; }

// PEQ fader tracks: band 0, the last live band, the others.
constexpr UINT kTrackFirst = 624;
constexpr UINT kTrackLast = 625;
constexpr UINT kTrackOther = 623;

int Ask(const CString& cn, const CString& en)
{
    return AfxMessageBox(g_bChinese ? cn : en, MB_YESNO, g_bChinese ? -2 : -3);
}

}  // namespace

void CInPutDlg::HighlightTail(int n, int nField)
{
    if (m_pGraph)
        m_pGraph->DrawGraph(n);
    HighlightBandLabel(n, TRUE);
    FocusBandEdit(n, nField, TRUE);
}

void CInPutDlg::OnBandFreq(int n)
{
    CFilter* f = BandFilter(n);
    if (!f)
        return;
    const int v = m_spinFreq[n].GetPos();
    if (v != f->GetFreq())
        f->SetFreq(v, TRUE);
    HighlightTail(n, 0);
}

void CInPutDlg::OnBandQ(int n)
{
    CFilter* f = BandFilter(n);
    if (!f)
        return;
    const int v = m_spinQ[n].GetPos();
    if (v != f->GetBandwidthIndex())
        f->SetBandwidthIndex(v);
    HighlightTail(n, 1);
}

void CInPutDlg::OnBandGain(int n)
{
    CFilter* f = BandFilter(n);
    if (!f)
        return;
    const int g = m_spinGain[n].GetPos();
    m_sliderGain[n].SetValue(g);
    if (g != f->GetGainIndex()) {
        f->SetGainIndex(g);
        ShowBandBypass(f->IsBypassed(), n);
        UpdateAllBypassButton();
    }
    HighlightTail(n, 2);
}

void CInPutDlg::OnBandSlider(int n)
{
    CFilter* f = BandFilter(n);
    if (!f)
        return;
    const int g = m_sliderGain[n].GetValue();
    if (g != f->GetGainIndex()) {
        m_spinGain[n].SetPos(g);
        f->SetGainIndex(g);
        ShowBandBypass(f->IsBypassed(), n);
        UpdateAllBypassButton();
    }
    HighlightTail(n, 2);
}

void CInPutDlg::OnSliderMessage(WPARAM wParam, BOOL bMoved)
{
    if (wParam < IDC_IN_FADER || wParam >= IDC_IN_FADER + INPUT_BANDS)
        return;
    OnBandSlider(int(wParam - IDC_IN_FADER));
    if (bMoved && m_pCurEdit)
        m_pCurEdit->SetFocus();
}

void CInPutDlg::OnBandBypass(int n)
{
    CFilter* f = BandFilter(n);
    if (!f)
        return;
    const BOOL bypass = !m_btnLamp[n].GetCheck();
    f->SetBypass(bypass);
    if (f->IsBypassed()) {
        ShowBandBypass(TRUE, n);
    } else {
        m_spinGain[n].SetPos(f->GetGainIndex());
        m_sliderGain[n].SetValue(f->GetGainIndex());
        m_btnLamp[n].SetCheck(FALSE);
    }
    UpdateAllBypassButton();
    HighlightTail(n, 2);
    if (m_pCurEdit)
        m_pCurEdit->SetFocus();
}

void CInPutDlg::ShowBandBypass(BOOL bBypassed, int n)
{
    if (!IsBand(n))
        return;
    if (!bBypassed) {
        m_btnLamp[n].SetCheck(FALSE);
        return;
    }
    m_btnLamp[n].SetCheck(TRUE);
    // Shown flat; the stored gain stays.
    m_spinGain[n].SetPos(200);
    m_editGain[n].SetWindowText("0.0");
    m_sliderGain[n].SetValue(200);
}

void CInPutDlg::UpdateAllBypassButton()
{
    if (!m_pMusic)
        return;
    m_bAllBypass = m_pMusic->IsAllBypass();
    m_btnAllBypass.SetCheck(m_bAllBypass);
}

void CInPutDlg::HighlightBandLabel(int n, BOOL bOn)
{
    if (m_pCurLabel)
        m_pCurLabel->SetFontStatic("", 14, RGB(0, 0, 0), 1);
    if (bOn && IsBand(n)) {
        m_pCurLabel = &m_stLabel[n];
        m_pCurLabel->SetFontStatic("", 14, RGB(255, 0, 0), 1);
    } else if (!bOn) {
        m_pCurLabel = nullptr;
    }
}

void CInPutDlg::FocusBandEdit(int n, int nField, BOOL bOn)
{
    if (!bOn) {
        if (m_pCurEdit)
            m_pCurEdit->SetHighlight(FALSE);
        m_pCurEdit = nullptr;
        return;
    }
    if (m_pCurEdit)
        m_pCurEdit->SetHighlight(FALSE);
    if (IsBand(n)) {
        if (nField == 0)
            m_pCurEdit = &m_editFreq[n];
        else if (nField == 1)
            m_pCurEdit = &m_editQ[n];
        else if (nField == 2)
            m_pCurEdit = &m_editGain[n];
    }
    if (m_pCurEdit)
        m_pCurEdit->SetHighlight(TRUE);
}

void CInPutDlg::SelectBand(int n)
{
    HighlightBandLabel(n, TRUE);
    if (m_pGraph)
        m_pGraph->DrawGraph(n);
}

bool CInPutDlg::ShowBandValues(int n)
{
    CFilter* f = BandFilter(n);
    if (!f)
        return false;
    m_spinFreq[n].SetPos(f->GetFreq());
    m_spinQ[n].SetPos(f->GetBandwidthIndex());
    m_spinGain[n].SetPos(f->GetGainIndex());
    m_sliderGain[n].SetValue(f->GetGainIndex());
    ShowBandBypass(f->IsBypassed(), n);
    return true;
}

void CInPutDlg::ReloadBand(int n)
{
    if (!ShowBandValues(n))
        return;
    UpdateAllBypassButton();
    HighlightBandLabel(n, TRUE);
    FocusBandEdit(n, 2, TRUE);
    if (m_pGraph && m_pGraph->m_bMouseReleased) {
        m_pGraph->m_bMouseReleased = FALSE;
        if (m_pCurEdit)
            m_pCurEdit->SetFocus();
    }
}

void CInPutDlg::ReloadBands()
{
    if (!m_pMusic)
        return;
    for (int n = 0; n < INPUT_LIVE_BANDS; ++n)
        ShowBandValues(n);
    UpdateAllBypassButton();
    if (m_pGraph)
        m_pGraph->DrawGraph(-1);
}

LRESULT CInPutDlg::OnEqPointChanged(WPARAM wParam, LPARAM lParam)
{
    // Elements 31 and 32 (high-pass, low-pass) are not on this page.
    if (int(lParam) == g_nShownInput && wParam < WPARAM(INPUT_BANDS))
        ReloadBand(int(wParam));
    return 0;
}

LRESULT CInPutDlg::OnSelectEqBand(WPARAM wParam, LPARAM lParam)
{
    if (int(lParam) != g_nShownInput || wParam >= WPARAM(INPUT_BANDS) || !m_pMusic)
        return 0;
    HighlightBandLabel(int(wParam), TRUE);
    FocusBandEdit(int(wParam), 2, TRUE);
    if (m_pCurEdit)
        m_pCurEdit->SetFocus();
    return 0;
}

void CInPutDlg::ApplyEqModeLayout(int nMode)
{
    for (int n = 0; n < INPUT_LIVE_BANDS; ++n) {
        if (nMode == 1) {
            m_editFreq[n].ShowWindow(SW_HIDE);
            m_editQ[n].ShowWindow(SW_HIDE);
            continue;
        }
        m_editFreq[n].ShowWindow(SW_SHOW);
        m_editQ[n].ShowWindow(SW_SHOW);
        m_editGain[n].SetWindowPos(nullptr, m_rcGain[n].left, m_rcGain[n].top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_sliderGain[n].SetWindowPos(nullptr, m_rcSlider[n].left, m_rcSlider[n].top, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER);
        const UINT track = n == 0 ? kTrackFirst : n == INPUT_LIVE_BANDS - 1 ? kTrackLast : kTrackOther;
        m_sliderGain[n].SetBitmapChannel(track, track, FALSE);
    }
    if (nMode != 1)
        m_btnRowCover.ShowWindow(SW_HIDE);
}

void CInPutDlg::OnEqModeButton()
{
    if (!m_pMusic)
        return;
    const int mode = m_btnEqMode.GetCheck() ? 0 : 1;
    const int answer = mode == 1 ? Ask(g_strPeqToGeqCn, g_strPeqToGeqEn) : Ask(g_strGeqToPeqCn, g_strGeqToPeqEn);
    if (answer != IDYES)
        return;
    m_btnEqMode.SetCheck(mode);
    m_nEqMode = mode;
    ApplyEqModeLayout(mode);
    m_pMusic->SetEqMode(mode);
    if (CPageHost* host = Host())
        host->ResetInputEqFrequencies(g_nShownInput);
    // The reset moved every band: show what the model now holds.
    ReloadBands();
}

void CInPutDlg::OnAllBypass()
{
    if (!m_pMusic)
        return;
    HighlightBandLabel(0, FALSE);
    FocusBandEdit(0, 0, FALSE);
    if (m_pGraph) {
        m_pGraph->ClearHotFilter();
        m_pGraph->DrawGraph(-1);
    }
    BOOL a = !m_btnAllBypass.GetCheck();
    m_pMusic->MuteAllBands(a);
    if (!a && m_pMusic->IsAllBypass()) {
        // Every band is flat: there is nothing to restore.
        m_pMusic->MuteAllBands(TRUE);
        m_btnAllBypass.SetCheck(TRUE);
        return;
    }
    a = m_pMusic->IsAllBypass();
    const int answer = AfxMessageBox(g_bChinese ? (a ? g_strBypassEqCn : g_strRestoreEqCn)
                                                : (a ? g_strBypassEqEn : g_strRestoreEqEn),
                                     MB_YESNO, g_bChinese ? -2 : -3);
    if (answer != IDYES) {
        m_pMusic->MuteAllBands(!a);
        m_btnAllBypass.SetCheck(!a);
        return;
    }
    for (int n = 0; n < INPUT_BANDS; ++n) {
        CFilter* f = m_pMusic->GetFilter(n);
        if (!f)
            continue;
        if (!a) {
            m_spinGain[n].SetPos(f->GetGainIndex());
            m_sliderGain[n].SetValue(f->GetGainIndex());
        }
        ShowBandBypass(f->IsBypassed(), n);
    }
    if (CPageHost* host = Host())
        host->SendInputChannelMuted(g_nShownInput, 0);
    m_btnAllBypass.SetCheck(a);
    if (m_pGraph)
        m_pGraph->DrawGraph(-1);
}

void CInPutDlg::OnResetEq()
{
    if (!m_pMusic)
        return;
    if (Ask(g_strResetEqCn, g_strResetEqEn) != IDYES)
        return;
    if (CPageHost* host = Host())
        host->ResetInputEqFrequencies(g_nShownInput);
    ReloadBands();
}
