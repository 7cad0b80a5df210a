// The output page's hidden controls of the current channel: polarity button, gain field, spin
// and fader, the delay in milliseconds, centimetres and inches with the linked step of the
// speaker group, and the third-page button. The page creates them hidden; a message that
// reaches them still edits the current channel through the model's setters, which stamp the
// level record for the comm worker.
#include "COutputDlg.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CPageHost.h"
#include "Convert.h"
#include "Globals.h"
#include "SpeakerGroups.h"

#include <algorithm>

namespace {

constexpr int kDelayMax = 960;
constexpr int kDelayUnits = 3;  // ms, cm, inch

}  // namespace

BOOL COutputDlg::OnHiddenControl(UINT nID)
{
    if (nID == IDC_PAGE_POLARITY) {
        OnPolarityButton();
        return TRUE;
    }
    if (nID == IDC_PAGE_GAIN_EDIT || nID == IDC_PAGE_GAIN_SPIN) {
        OnGainEdit();
        return TRUE;
    }
    for (int k = 0; k < kDelayUnits; ++k) {
        if (nID == IDC_PAGE_DELAY_EDIT + UINT(k) || nID == IDC_PAGE_DELAY_SPIN + UINT(k)) {
            OnDelayEdit(k);
            return TRUE;
        }
    }
    if (nID == IDC_THIRD_PAGE) {
        OnThirdPageButton();
        return TRUE;
    }
    return FALSE;
}

LRESULT COutputDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DELAY_SPIN_STEP)
        return OnDelaySpin(wParam, lParam);
    return CDialog::DefWindowProc(message, wParam, lParam);
}

// ---- polarity and gain ----

void COutputDlg::OnPolarityButton()
{
    if (!CurrentChannel())
        return;
    m_nPolarity = m_btnPolarity.GetCheck() ? 0 : 1;
    m_btnPolarity.SetCheck(m_nPolarity);
    m_pOutData->SetPolarity(m_nPolarity);
}

void COutputDlg::StoreOutGain()
{
    m_pOutData->SetGain(short(m_nOutGain));
    if (!m_pOutData->GetOn()) {
        m_pOutData->SetOn(1);
        m_bOn = 1;
        const int c = g_nCurOutput;
        m_strip[c].SetOutputOn(1);
    }
}

void COutputDlg::OnGainEdit()
{
    if (!CurrentChannel())
        return;
    m_nOutGain = m_spinGain.GetPos();
    if (m_nOutGain == m_pOutData->GetGain())
        return;
    StoreOutGain();
    m_sliderGain.SetValue(m_nOutGain);
}

LRESULT COutputDlg::OnGainSliderMessage(BOOL bMoved)
{
    if (!CurrentChannel())
        return 1;
    m_nOutGain = std::clamp(m_sliderGain.GetValue(), 0, 600);
    if (m_nOutGain != m_pOutData->GetGain()) {
        StoreOutGain();
        m_spinGain.SetPos(m_nOutGain);
    }
    if (bMoved)
        m_editGain.SetFocus();
    MarkEdited();
    return 1;
}

// ---- delay ----

void COutputDlg::OnDelayEdit(int k)
{
    if (!CurrentChannel())
        return;
    m_nDelay = m_spinDelay[k].GetPos();
    for (int other = 0; other < kDelayUnits; ++other)
        if (other != k)
            m_spinDelay[other].SetPos(m_nDelay);
    // The delay is the channel's own: linked outputs keep theirs.
    if (m_nDelay != m_pOutData->GetDelay())
        m_pOutData->SetDelay(short(m_nDelay));
}

void COutputDlg::OnDelayMsEdit() { OnDelayEdit(0); }
void COutputDlg::OnDelayCmEdit() { OnDelayEdit(1); }
void COutputDlg::OnDelayInchEdit() { OnDelayEdit(2); }

LRESULT COutputDlg::OnDelaySpin(WPARAM wParam, LPARAM lParam)
{
    const UINT spin = UINT(wParam);
    const int c = g_nCurOutput;
    if (spin < IDC_PAGE_DELAY_SPIN || spin >= IDC_PAGE_DELAY_SPIN + kDelayUnits || c < 0 || c >= OUTPUT_STRIPS)
        return 0;
    const int group = GetSpeakerGroupOfType(SpeakerTypeOf(g_bySpeakerType, c));
    const int* link = GetSpeakerGroupLink(g_SpeakerGroups, group);
    const int* members = GetSpeakerGroupMembers(g_SpeakerGroups, group);
    if (!link || !members || *link != 1)
        return 0;
    for (int i = 0; i < SPEAKER_CHANNELS; ++i) {
        const int ch = members[i];
        if (ch >= 0 && ch != c)
            StepChannelDelay(ch, int(lParam), spin);
    }
    return 0;
}

void COutputDlg::StepChannelDelay(int ch, int nStep, UINT nSpinID)
{
    CKTV_OutData* out = Channel(ch);
    if (!out)
        return;
    int d = out->GetDelay();
    switch (nSpinID) {
    case IDC_PAGE_DELAY_SPIN: d += nStep; break;
    case IDC_PAGE_DELAY_SPIN + 1: d = StepDelayByCm(d, nStep); break;
    case IDC_PAGE_DELAY_SPIN + 2: d = StepDelayByInch(d, nStep); break;
    default: break;
    }
    d = std::clamp(d, 0, kDelayMax);
    if (d != out->GetDelay())
        out->SetDelay(short(d));
}

// ---- third page ----

void COutputDlg::OnThirdPageButton()
{
    if (CWnd* view = g_pPageHost ? g_pPageHost->GetHostWnd() : nullptr)
        view->PostMessage(WM_SHOW_THIRD_PAGE, 0, 0);
}

// ---- on state and level stamps ----

void COutputDlg::MarkAllLevelsChanged()
{
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (CKTV_OutData* out = Channel(i))
            out->SetLevelModified(1);
}

void COutputDlg::ToggleChannelOn(int a)
{
    CKTV_OutData* out = Channel(a);
    if (!out)
        return;
    const int on = out->GetOn() ? 0 : 1;
    out->SetOn(on);
    m_strip[a].SetOutputOn(on);
}

void COutputDlg::CopyOnToGroup(int n)
{
    const CKTV_OutData* source = Channel(n);
    if (!source)
        return;
    // The partners take n's own state: m_bOn alone may be left from another channel.
    m_bOn = source->GetOn() ? 1 : 0;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (i == n || g_nLinkGroup[i] != g_nLinkGroup[n])
            continue;
        if (CKTV_OutData* out = Channel(i)) {
            out->SetOn(m_bOn);
            m_strip[i].SetOutputOn(m_bOn);
        }
    }
}
