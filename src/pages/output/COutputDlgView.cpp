// The output page: channel selection, the reload of every control from the model, the
// highlights, the graph's messages and the page's message dispatch (the strips' and panels'
// handlers are in COutputDlgStrips.cpp).
#include "COutputDlg.h"

#include "AppMessages.h"
#include "CFilter.h"
#include "CKTVEQ.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CPageHost.h"
#include "Globals.h"
#include "SceneImage.h"

#include <algorithm>

namespace {

// Values from the device or a file may lie outside a control's range: shown at the range's end,
// silently (a refresh must never stop on a message box).
void ShowSpin(CNumSpin& spin, int v, int lo, int hi) { spin.SetPos(std::clamp(v, lo, hi)); }
void ShowGainSlider(CBitmapSlider& s, int nGainIndex) { s.SetValue(std::clamp(nGainIndex, 80, 320)); }

constexpr int kGainMax = 600;

bool IsChannel(WPARAM n) { return n < WPARAM(OUTPUT_STRIPS); }

}  // namespace

CKTV_OutData* COutputDlg::Channel(int i) const
{
    if (!m_pScene || i < 0 || i >= OUTPUT_STRIPS)
        return nullptr;
    return m_pScene->GetOutData(i);
}

CKTV_OutData* COutputDlg::CurrentChannel()
{
    m_pOutData = Channel(g_nCurOutput);
    return m_pOutData;
}

// ---- channel selection ----

LRESULT COutputDlg::SelectChannel(WPARAM n, LPARAM)
{
    // The channel comes from a message: anything but 0..9 would index past the strips.
    if (!IsChannel(n))
        return 0;
    const CPaintBatch batch;  // one repaint of the page for the whole switch
    const int c = (g_nCurOutput >= 0 && g_nCurOutput < OUTPUT_STRIPS) ? g_nCurOutput : 0;
    m_strip[c].SetSelected(FALSE);
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (g_nLinkGroup[i] == g_nLinkGroup[c])
            m_strip[i].SetSelected(FALSE);
    ClearGroupHighlight(c);
    g_nCurOutput = int(n);
    MovePositionCheck(c, int(n));
    m_strip[n].SetSelected(TRUE);
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (g_nLinkGroup[i] == g_nLinkGroup[n])
            m_strip[i].SetSelected(TRUE);
    UpdateChannelView();
    if (GetSafeHwnd())
        Invalidate(TRUE);
    return 0;
}

void COutputDlg::ClearGroupHighlight(int nChannel)
{
    if (nChannel < 0 || nChannel >= OUTPUT_STRIPS)
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (i != nChannel && g_nLinkGroup[i] == g_nLinkGroup[nChannel])
            m_strip[i].SetSelected(FALSE);
    CheckOutputGroupPositions(nChannel, FALSE);
}

void COutputDlg::SetGroupHighlight(int nChannel)
{
    if (nChannel < 0 || nChannel >= OUTPUT_STRIPS)
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (i == nChannel || g_nLinkGroup[i] != g_nLinkGroup[nChannel])
            continue;
        m_strip[i].SetSelected(TRUE);
        m_graph.DrawGraph(-1);
    }
    CheckOutputGroupPositions(nChannel, TRUE);
}

void COutputDlg::ShowLinkGroups()
{
    m_btnLinkLR.SetCheck(FALSE);
    m_bLinkLR = 0;
    m_graph.ClearHotFilter();
    m_graph.DrawGraph(-1);
    const int c = g_nCurOutput;
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        m_strip[i].SetSelected(c >= 0 && c < OUTPUT_STRIPS && g_nLinkGroup[i] == g_nLinkGroup[c]);
}

void COutputDlg::ApplyLinkMode()
{
    // While the left/right link holds the speaker types, no strip may change its type.
    for (COutRoute_Dlg& s : m_strip)
        if (s.m_btnSpeakerType.GetSafeHwnd())
            s.m_btnSpeakerType.EnableWindow(!g_bAssignFlag);
    FinishLinkMode();
}

void COutputDlg::DrawGraph(int nSelected) { m_graph.DrawGraph(nSelected); }

// ---- reload ----

void COutputDlg::LoadBand(int n)
{
    m_pFilter = m_pOutData ? m_pOutData->GetFilter(n) : nullptr;
    if (!m_pFilter)
        return;
    m_nFreq = m_pFilter->GetFreq();
    m_nQ = m_pFilter->GetBandwidthIndex();
    m_nGain = m_pFilter->GetGainIndex();
    ShowSpin(m_spinBandFreq[n], m_nFreq, 20, 20000);
    ShowSpin(m_spinBandQ[n], m_nQ, 0, 295);
    ShowSpin(m_spinBandGain[n], m_nGain, 80, 320);
    ShowGainSlider(m_sliderBandGain[n], m_nGain);
    m_pFilter->SetLinkedCtrl(&m_sliderBandGain[n]);
    SetBandBypassLook(m_pFilter->IsBypassed(), n);
}

void COutputDlg::UpdateBands()
{
    if (!CurrentChannel())
        return;
    m_bAllBypass = m_pOutData->IsAllBypass();
    m_nEqMode = m_pOutData->GetEqMode();
    if (g_pPageHost) {
        g_pPageHost->SetAllBypassCheck(m_bAllBypass);
        g_pPageHost->SetEqModeCheck(m_nEqMode);
    }
    ApplyEqModeLook(m_nEqMode);
    for (int n = 0; n < OUTPUT_BANDS; ++n)
        LoadBand(n);
    HighlightBandLabel(0, FALSE);
    FocusBandEdit(0, 0, FALSE);
}

void COutputDlg::LoadCrossovers()
{
    m_pHighPass = m_pOutData->GetHighPass();
    m_pLowPass = m_pOutData->GetLowPass();
    if (m_pHighPass) {
        m_nHpfFreq = m_pHighPass->GetFreq();
        m_nHpfClass = std::min(m_pHighPass->GetFilterClass(), 2);
        m_nHpfSlope = std::min(m_pHighPass->GetSlope(), 8);
        ShowSpin(m_spinHpfFreq, m_nHpfFreq, 20, 20000);
        m_btnHpfClass.SetCurSel(m_nHpfClass);
        m_btnHpfSlope.SetCurSel(m_nHpfSlope);
        EnableDropButton(m_nHpfSlope, &m_btnHpfClass);
    }
    if (m_pLowPass) {
        m_nLpfFreq = m_pLowPass->GetFreq();
        m_nLpfClass = std::min(m_pLowPass->GetFilterClass(), 2);
        m_nLpfSlope = std::min(m_pLowPass->GetSlope(), 8);
        UpdateSliderThumbs();
        ShowSpin(m_spinLpfFreq, m_nLpfFreq, 20, 20000);
        m_btnLpfClass.SetCurSel(m_nLpfClass);
        m_btnLpfSlope.SetCurSel(m_nLpfSlope);
        EnableDropButton(m_nLpfSlope, &m_btnLpfClass);
    }
}

void COutputDlg::UpdateChannelView()
{
    const int c = g_nCurOutput;
    if (!CurrentChannel() || !GetSafeHwnd())
        return;
    const CPaintBatch batch;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (m_strip[i].GetStripState() != (i == c))
            m_strip[i].SetStripState(i == c);
        m_strip[i].UpdateTitle();
    }
    SetGroupHighlight(c);
    UpdateBands();
    // The slope lists follow the language; their selections are reloaded below.
    m_btnHpfSlope.ResetContent();
    static const char* const kSlopes[8] = {"6dB/Oct",  "12dB/Oct", "18dB/Oct", "24dB/Oct",
                                           "30dB/Oct", "36dB/Oct", "42dB/Oct", "48dB/Oct"};
    for (const char* s : kSlopes)
        m_btnHpfSlope.AddString(s);
    m_btnHpfSlope.AddString(g_bChinese ? "关闭" : "OFF");
    LoadCrossovers();

    m_nOutGain = std::clamp<int>(m_pOutData->GetGain(), 0, kGainMax);
    m_spinGain.SetPos(m_nOutGain);
    m_sliderGain.SetValue(m_nOutGain);
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        const CKTV_OutData* out = Channel(i);
        if (!out)
            continue;
        m_strip[i].SetGainValue(out->GetGain());
        m_strip[i].SetOutputOn(out->GetOn());
        m_strip[i].ShowPolarity(out->GetPolarity());
        // The red frame follows the current channel at once.
        m_strip[i].RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    m_dlgGain.SetLevel(std::clamp<int>(g_wMasterLevel, 0, MASTER_LEVEL_MAX));
    m_nPolarity = m_pOutData->GetPolarity();
    m_btnPolarity.SetCheck(m_nPolarity);
    m_graph.SelectOutputChannel(c);
    UpdateInputButtonLook();
    UpdateStripOnButtons();
    RefreshPositionDelays();
}

void COutputDlg::LoadRoutingFromImage()
{
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        CKTV_OutData* out = Channel(i);
        const int off = BlockOffset(BLOCK_OUTPUT, i);
        if (!out || off < 0)
            continue;
        out->SetMixARecord(g_Scene + off + OUT_REC_MIX_A * RECORD_SIZE);
        out->SetMixBRecord(g_Scene + off + OUT_REC_MIX_B * RECORD_SIZE);
    }
    UpdateChannelView();
    RefreshPositions();
}

void COutputDlg::UpdateStripOnButtons()
{
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (const CKTV_OutData* out = Channel(i))
            m_strip[i].m_btnOn.SetCheck(out->GetOn());
}

void COutputDlg::UpdateInputButtonLook()
{
    const UINT id = (g_bChinese ? 459 : 452) + UINT(std::clamp(g_nShownInput, 0, 6));
    m_btnInput.SetDisabledBitmaps(id, id);
}

void COutputDlg::EnableDropButton(int bEnable, CComBoxBtn* pButton)
{
    if (pButton && pButton->GetSafeHwnd())
        pButton->EnableWindow(bEnable != 0);
}

void COutputDlg::SetBandBypassLook(BOOL bBypassed, int n)
{
    if (n < 0 || n >= OUTPUT_BANDS)
        return;
    m_btnBypass[n].SetCheck(bBypassed);
    if (!bBypassed)
        return;
    m_spinBandGain[n].SetPos(200);
    m_sliderBandGain[n].SetValue(200);
    m_editBandGain[n].SetWindowText("0.0");
}

void COutputDlg::UpdateSliderThumbs()
{
    const CKTV_OutData* out = Channel(g_nCurOutput);
    const bool geq = out && out->GetEqMode();
    for (int n = 0; n < OUTPUT_BANDS; ++n) {
        const bool outside = geq && (g_nGeqFreq[n] < m_nHpfFreq || g_nGeqFreq[n] > m_nLpfFreq);
        if (outside)
            m_sliderBandGain[n].SetBitmapThumb(612, 612, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
        else
            m_sliderBandGain[n].SetBitmapThumb(611, 613, TRUE, SLIDER_KEY_FROM_PIXEL, 0, 0);
    }
}

void COutputDlg::ApplyEqModeLook(BOOL bGeq)
{
    for (int n = 0; n < OUTPUT_BANDS; ++n) {
        m_editBandFreq[n].EnableWindow(!bGeq);
        m_editBandQ[n].EnableWindow(!bGeq);
    }
}

// ---- highlights ----

void COutputDlg::HighlightBandLabel(int n, BOOL bOn)
{
    if (m_pHiLabel)
        m_pHiLabel->SetFontStatic("", 14, RGB(255, 255, 255), 1);
    if (!bOn || n < 0 || n >= OUTPUT_BANDS) {
        m_pHiLabel = nullptr;
        return;
    }
    m_pHiLabel = &m_stcBandNo[n];
    m_pHiLabel->SetFontStatic("", 14, RGB(255, 0, 0), 1);
}

void COutputDlg::HighlightBand(int n)
{
    HighlightBandLabel(n, TRUE);
    m_graph.DrawGraph(n);
}

void COutputDlg::FocusBandEdit(int n, int nWhich, BOOL bOn)
{
    if (m_pFocusEdit)
        m_pFocusEdit->SetHighlight(FALSE);
    if (!bOn || n < 0 || n >= OUTPUT_BANDS) {
        m_pFocusEdit = nullptr;
        return;
    }
    CNumEdit* edits[3] = {&m_editBandFreq[n], &m_editBandQ[n], &m_editBandGain[n]};
    m_pFocusEdit = edits[std::clamp(nWhich, 0, 2)];
    m_pFocusEdit->SetHighlight(TRUE);
}

void COutputDlg::FocusFirstBand()
{
    if (!GetSafeHwnd())
        return;
    // The walk's place before the first band: its Right step lands on band 0's first edit.
    if (!dynamic_cast<CEdit*>(CWnd::GetFocus())) {
        const BOOL geq = g_pPageHost && g_pPageHost->GetEqModeCheck();
        OnKeyStep(geq ? IDC_BAND_GAIN_EDIT - 1 : IDC_BAND_FREQ_EDIT - 1, VK_RIGHT);
    }
    FocusBandEdit(0, 0, FALSE);
}

// ---- the graph's point message ----

void COutputDlg::ReloadEqPoint(int nElement)
{
    if (!CurrentChannel())
        return;
    const BOOL released = m_graph.IsMouseReleased();
    if (nElement >= 0 && nElement < OUTPUT_BANDS) {
        const int e = nElement;
        LoadBand(e);
        m_bBypass = m_pFilter ? m_pFilter->IsBypassed() : 0;
        // A bypassed band reaches the linked channels as 0 dB (m_nGain 200), not as bypassed.
        CopyBandToGroup(e);
        UpdateAllBypassButton();
        HighlightBandLabel(e, TRUE);
        FocusBandEdit(e, 2, TRUE);
        if (released) {
            m_graph.ClearMouseReleased();
            if (m_pFocusEdit)
                m_pFocusEdit->SetFocus();
        }
        MarkEdited();
        return;
    }
    const bool high = nElement == OUTPUT_BANDS;
    if (!high && nElement != OUTPUT_BANDS + 1)
        return;
    HighlightBandLabel(0, FALSE);
    m_pFilter = high ? m_pOutData->GetHighPass() : m_pOutData->GetLowPass();
    if (!m_pFilter)
        return;
    int& freq = high ? m_nHpfFreq : m_nLpfFreq;
    freq = m_pFilter->GetFreq();
    ShowSpin(high ? m_spinHpfFreq : m_spinLpfFreq, freq, 20, 20000);
    high ? CopyHpfFreqToGroup() : CopyLpfFreqToGroup();
    UpdateSliderThumbs();
    m_graph.DrawGraph(nElement);
    CNumEdit& edit = high ? m_editHpfFreq : m_editLpfFreq;
    edit.SetHighlight(TRUE);
    m_pFocusEdit = &edit;
    if (released) {
        m_graph.ClearMouseReleased();
        edit.SetFocus();
    }
}

LRESULT COutputDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnStripPanelMessage(message, wParam, lParam, &result))
        return result;
    switch (message) {
    case WM_STRIP_SELECT:
        return SelectChannel(wParam, lParam);
    case WM_STRIP_SPEAKER_TYPE: return OnStripSpeakerType(wParam, lParam);
    case WM_MASTER_LEVEL_CHANGED: return OnMasterLevelChanged(wParam, lParam);
    case WM_COMMAND: if (OnPositionCommand(LOWORD(wParam), HIWORD(wParam))) return 0; break;
    case WM_SLIDER_MOVING: return OnSliderMessage(wParam, FALSE);
    case WM_SLIDER_MOVED: return OnSliderMessage(wParam, TRUE);
    case WM_DROPLIST_SELCHANGE: return OnDropListSelect(wParam, lParam);
    case WM_NUMEDIT_KEYDOWN: OnKeyStep(UINT(wParam), UINT(lParam)); return 0;
    case WM_KEY_ENTER: OnKeyEnter(UINT(wParam)); return 0;
    case WM_EQ_GRAPH_KILLFOCUS:
    case WM_CTRL_MOUSEMOVE: return 0;
    case WM_EQ_POINT_CHANGED:
        // Only the page's own graph talks to it: output channel ids.
        if (lParam == LPARAM(768 + g_nCurOutput))
            ReloadEqPoint(int(wParam));
        return 0;
    default: break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
