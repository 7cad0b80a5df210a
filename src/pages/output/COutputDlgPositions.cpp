// The output page's car picture: the 24 speaker positions (a position shows while a channel
// holds its speaker type and stands for that channel), the position delays with the page's
// left/right position link, a strip's speaker-type change, the speaker-map reset and the
// speaker-type lock.
#include "COutputDlg.h"

#include "AppMessages.h"
#include "CAll_Link_Dlg.h"
#include "CKTV_OutData.h"
#include "CPageHost.h"
#include "CReMap_Dlg.h"
#include "Globals.h"
#include "OutputPageGlobals.h"
#include "SceneImage.h"
#include "SpeakerGroups.h"
#include "SpeakerTable.h"
#include "SpeakerTypes.h"

#include <algorithm>

namespace {

constexpr int kNoPosition = 100;
// Position of speaker types 1..24 on the car picture.
constexpr int kTypePosition[SPEAKER_POSITIONS + 1] = {kNoPosition, 5, 4,  3,  6,  7,  8,  11, 10, 9, 12, 13, 14,
                                                      16,          15, 19, 18, 17, 20, 1,  0,  2, 21, 22, 23};
constexpr int kTypeCentreTweeter = 19;  // position 1, button 4601
constexpr int kTypeCentreWoofer = 20;   // position 0, button 4600
constexpr int kPositionDelayMax = 960;  // 1/48 ms steps
constexpr int kLeftRightRecords = 5;    // the pair records the position link reads

int TypeOf(int ch) { return g_bySpeakerType[SPEAKER_CHANNEL_BASE + ch]; }

bool IsOutput(int ch) { return ch >= 0 && ch < OUTPUT_STRIPS; }

// Moves a centre button to the top-left corner of rc, keeping its size, above its siblings.
void PlaceAt(CBtnPng& btn, const CRect& rc)
{
    CRect now;
    btn.GetWindowRect(&now);
    btn.SetWindowPos(&CWnd::wndTop, rc.left, rc.top, now.Width(), now.Height(), 0);
}

}  // namespace

int COutputDlg::SpeakerTypeToPosition(int nType)
{
    return nType >= 1 && nType <= SPEAKER_POSITIONS ? kTypePosition[nType] : kNoPosition;
}

// ---- showing the positions ----

void COutputDlg::PlaceCentreButtons(int nType, BOOL bShown)
{
    // The two centre positions share the middle of the picture; each keeps its template place.
    CBtnPng& woofer = m_btnPosition[0];
    CBtnPng& tweeter = m_btnPosition[1];
    if (bShown && nType == kTypeCentreTweeter) {
        if (woofer.IsWindowVisible()) {
            PlaceAt(woofer, m_rcCenterB);
            PlaceAt(tweeter, m_rcCenterA);
        } else {
            PlaceAt(tweeter, m_rcCenterA0);
        }
    } else if (bShown && nType == kTypeCentreWoofer) {
        if (tweeter.IsWindowVisible()) {
            PlaceAt(woofer, m_rcCenterB);
            PlaceAt(tweeter, m_rcCenterA);
        }
    } else if (!bShown && nType == kTypeCentreWoofer && tweeter.IsWindowVisible()) {
        PlaceAt(tweeter, m_rcCenterA0);
    }
}

void COutputDlg::ShowPosition(int nType, BOOL bCheck, int ch)
{
    const int p = SpeakerTypeToPosition(nType);
    if (p == kNoPosition)
        return;
    m_btnPosition[p].SetCheck(bCheck);
    m_btnPosition[p].SetTag(ch);
    m_btnPosition[p].SetLinkedButtons(nullptr, nullptr);
    m_btnPosition[p].ShowWindow(SW_SHOW);
    m_editPosDelay[p].ShowWindow(SW_SHOW);
    m_editPosDelay[p].m_nTag = ch;
    PlaceCentreButtons(nType, TRUE);
}

void COutputDlg::HidePosition(int nType)
{
    const int p = SpeakerTypeToPosition(nType);
    if (p == kNoPosition)
        return;
    m_btnPosition[p].ShowWindow(SW_HIDE);
    m_editPosDelay[p].ShowWindow(SW_HIDE);
    PlaceCentreButtons(nType, FALSE);
}

void COutputDlg::CheckPositionButton(int nType, BOOL bCheck)
{
    const int p = SpeakerTypeToPosition(nType);
    if (p != kNoPosition)
        m_btnPosition[p].SetCheck(bCheck);
}

void COutputDlg::RefreshPositions()
{
    for (int p = 0; p < SPEAKER_POSITIONS; ++p) {
        m_btnPosition[p].SetCheck(FALSE);
        m_btnPosition[p].ShowWindow(SW_HIDE);
        m_editPosDelay[p].ShowWindow(SW_HIDE);
    }
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        ShowPosition(TypeOf(i), i == g_nCurOutput, i);
    if (IsOutput(g_nCurOutput))
        CheckPositionButton(TypeOf(g_nCurOutput), TRUE);
}

void COutputDlg::RefreshPositionDelay(int ch)
{
    if (!IsOutput(ch) || SpeakerTypeToPosition(TypeOf(ch)) == kNoPosition)
        return;
    // Shown from the model: a channel that had no position until now brings no stale value,
    // and the strip's copy (the base of the next position-link delta) is the real delay.
    if (const CKTV_OutData* out = Channel(ch))
        m_strip[ch].m_nPosDelay = out->GetDelay();
    const int p = SpeakerTypeToPosition(TypeOf(ch));
    m_editPosDelay[p].SetValue(m_strip[ch].m_nPosDelay);
    m_spinPosDelay[p].SetPos(std::clamp(m_strip[ch].m_nPosDelay, 0, kPositionDelayMax));
}

void COutputDlg::RefreshPositionDelays()
{
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        RefreshPositionDelay(i);
}

// ---- highlights ----

void COutputDlg::CheckOutputGroupPositions(int n, BOOL bCheck)
{
    if (!IsOutput(n))
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (i != n && g_nOutputGroup[i] == g_nOutputGroup[n])
            CheckPositionButton(TypeOf(i), bCheck);
}

void COutputDlg::MovePositionCheck(int nFrom, int nTo)
{
    if (IsOutput(nFrom))
        CheckPositionButton(TypeOf(nFrom), FALSE);
    if (IsOutput(nTo))
        CheckPositionButton(TypeOf(nTo), TRUE);
}

void COutputDlg::HighlightPositionGroup()
{
    const int cur = g_nCurOutput;
    if (!IsOutput(cur))
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (i == cur || IsLinkedOutput(i, cur))
            m_strip[i].SetSelected(TRUE);
        if (g_nOutputGroup[i] == g_nOutputGroup[cur])
            CheckPositionButton(TypeOf(i), TRUE);
    }
    Invalidate(TRUE);
}

void COutputDlg::ClearOtherStripSelections()
{
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (i != g_nCurOutput)
            m_strip[i].SetSelected(FALSE);
}

// ---- position buttons and delays ----

void COutputDlg::OnPositionButton(int p)
{
    if (p < 0 || p >= SPEAKER_POSITIONS)
        return;
    CBtnPng& btn = m_btnPosition[p];
    if (btn.GetCheck() && btn.GetTag() == g_nCurOutput)
        return;
    if (!IsOutput(btn.GetTag()))
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        m_strip[i].SetSelected(FALSE);
        CheckPositionButton(TypeOf(i), FALSE);
    }
    m_nSelPosition = btn.GetTag();
    ClearGroupHighlight(g_nCurOutput);
    g_nCurOutput = m_nSelPosition;
    CheckPositionButton(TypeOf(g_nCurOutput), TRUE);
    UpdateChannelView();
    HighlightPositionGroup();
}

void COutputDlg::OnPositionDelay(int p, int ch)
{
    CKTV_OutData* out = Channel(ch);
    if (p < 0 || p >= SPEAKER_POSITIONS || !out)
        return;
    const int v = m_spinPosDelay[p].GetPos();
    m_editPosDelay[p].SetValue(v);
    m_spinPosDelay[p].SetPos(v);
    int delta = 0;
    if (v != out->GetDelay()) {
        // The move is measured from the channel's real delay.
        delta = v - out->GetDelay();
        out->SetDelay(short(v));
        m_strip[ch].m_nPosDelay = v;
    }
    g_nLinkMark[ch] = 1;
    if (!m_bLinkLR || delta == 0)
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        CKTV_OutData* partner = Channel(i);
        if (i == ch || !partner || g_nOutputGroup[i] != g_nOutputGroup[ch])
            continue;
        const int f = std::clamp(partner->GetDelay() + delta, 0, kPositionDelayMax);
        partner->SetDelay(short(f));
        const int q = SpeakerTypeToPosition(TypeOf(i));
        if (q != kNoPosition) {
            m_editPosDelay[q].SetValue(f);
            m_spinPosDelay[q].SetPos(f);
        }
        m_strip[i].m_nPosDelay = f;
    }
}

BOOL COutputDlg::OnPositionCommand(UINT nID, UINT nCode)
{
    if (nID >= IDC_POSITION_BUTTON && nID < IDC_POSITION_BUTTON + SPEAKER_POSITIONS) {
        if (nCode == BN_CLICKED)
            OnPositionButton(int(nID - IDC_POSITION_BUTTON));
        return TRUE;
    }
    if (nID >= IDC_POSITION_DELAY_EDIT && nID < IDC_POSITION_DELAY_EDIT + SPEAKER_POSITIONS) {
        // Only the field's value notice (no notice code) carries a new delay.
        const int p = int(nID - IDC_POSITION_DELAY_EDIT);
        if (nCode == 0)
            OnPositionDelay(p, m_editPosDelay[p].m_nTag);
        return TRUE;
    }
    if (nID >= IDC_POSITION_DELAY_SPIN && nID < IDC_POSITION_DELAY_SPIN + SPEAKER_POSITIONS) {
        const int p = int(nID - IDC_POSITION_DELAY_SPIN);
        OnPositionDelay(p, m_editPosDelay[p].m_nTag);
        return TRUE;
    }
    if (nID == IDC_PAGE_LINK_LR) {
        if (nCode == BN_CLICKED)
            OnPositionLinkLR();
        return TRUE;
    }
    return FALSE;
}

// ---- speaker types ----

void COutputDlg::FillHpfSlopeList()
{
    static const char* const kSlopes[8] = {"6dB/Oct",  "12dB/Oct", "18dB/Oct", "24dB/Oct",
                                           "30dB/Oct", "36dB/Oct", "42dB/Oct", "48dB/Oct"};
    m_btnHpfSlope.ResetContent();
    for (const char* s : kSlopes)
        m_btnHpfSlope.AddString(s);
    m_btnHpfSlope.AddString(g_bChinese ? "关闭" : "OFF");
}

void COutputDlg::LoadCrossoverControls()
{
    FillHpfSlopeList();
    if (CurrentChannel())
        LoadCrossovers();
    m_graph.DrawGraph(-1);
}

void COutputDlg::SyncDelayEditLock()
{
    const BOOL lock = m_stcHidden.GetSafeHwnd() && m_stcHidden.IsWindowVisible();
    for (CNumEdit& e : m_editDelay)
        if (e.GetSafeHwnd())
            e.SetReadOnly(lock);
}

LRESULT COutputDlg::OnStripSpeakerType(WPARAM wParam, LPARAM lParam)
{
    // Both come from a message: a channel or type outside the tables is dropped.
    if (wParam >= WPARAM(OUTPUT_STRIPS) || lParam < 0 || lParam >= SPEAKER_TYPE_COUNT)
        return 0;
    const int ch = int(wParam);
    const int type = int(lParam);
    const int old = TypeOf(ch);
    ReleaseSpeakerType(old, ch);
    HidePosition(old);
    g_bySpeakerType[SPEAKER_CHANNEL_BASE + ch] = BYTE(type);
    ShowPosition(type, ch == g_nCurOutput, ch);
    AssignSpeakerType(type, 0);
    m_strip[ch].UpdateTitle();
    g_bySysSpeakerType[ch] = BYTE(type);
    if (g_pPageHost)
        g_pPageHost->SendSpeakerTypes(ch, FALSE);
    LoadCrossoverControls();
    m_graph.DrawGraph(-1);
    RefreshPositionDelay(ch);
    if (g_pPageHost)
        g_pPageHost->ApplySpeakerTypeMix(ch, type);
    return 0;
}

void COutputDlg::OnResetMap() { ResetSpeakerMap(); }

void COutputDlg::ResetSpeakerMap()
{
    CReMap_Dlg dlg(this);
    dlg.DoModal();
    const int choice = dlg.m_nResult;
    if (choice != REMAP_EMPTY && choice != REMAP_DEFAULT)
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        ReleaseSpeakerType(TypeOf(i), i);
        HidePosition(TypeOf(i));
    }
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        const int type = choice == REMAP_EMPTY ? 0 : g_SpeakerTypeDefault[SPEAKER_CHANNEL_BASE + i];
        g_bySpeakerType[SPEAKER_CHANNEL_BASE + i] = BYTE(type);
        if (choice == REMAP_DEFAULT)
            ShowPosition(type, i == g_nCurOutput, i);
        AssignSpeakerType(type, 0);
        m_strip[i].m_nChannel = i;
        m_strip[i].UpdateTitle();
        if (g_pPageHost)
            g_pPageHost->ApplySpeakerTypeMix(i, type);
        if (CKTV_OutData* out = Channel(i))
            out->SetSpeakerType(type);
        g_bySysSpeakerType[i] = BYTE(type);
        if (choice == REMAP_EMPTY && i == g_nCurOutput)
            LoadCrossoverControls();
    }
    // The empty map is sent once here and once more below.
    if (choice == REMAP_EMPTY && g_pPageHost)
        g_pPageHost->SendSpeakerTypes(0, TRUE);
    if (choice == REMAP_DEFAULT) {
        LoadCrossoverControls();
        RefreshPositionDelays();
    }
    SyncDelayEditLock();
    if (g_pPageHost)
        g_pPageHost->SendSpeakerTypes(0, TRUE);
    m_graph.DrawGraph(-1);
    if (g_bAssignFlag) {
        g_bAssignFlag = 0;
        ApplyLinkMode();
    }
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        m_strip[i].SetSelected(i == g_nCurOutput);
}

void COutputDlg::SelectFirstTypedChannel()
{
    if (IsOutput(g_nCurOutput) && TypeOf(g_nCurOutput) != 0)
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (TypeOf(i) != 0) {
            SelectChannel(WPARAM(i), 0);
            return;
        }
}

void COutputDlg::FinishLinkMode()
{
    if (g_bAssignFlag)
        SelectFirstTypedChannel();
    else if (g_pPageHost)
        g_pPageHost->RebuildLinkGroups();
}

void COutputDlg::CheckLinkMode()
{
    if (!g_bAssignFlag)
        return;
    if (AnyChannelTyped()) {
        SelectFirstTypedChannel();
        return;
    }
    g_bAssignFlag = 0;
    ApplyLinkMode();
}

// ---- the page's left/right position link (button 32776) ----

BOOL COutputDlg::ApplyLeftRightGroups()
{
    BOOL joined = FALSE;
    for (int k = 0; k < kLeftRightRecords; ++k) {
        const SpeakerPair& pair = g_arLeftRightPair[k];
        if (!pair.bUsed || !IsOutput(pair.nFirst) || !IsOutput(pair.nSecond))
            continue;
        g_nOutputGroup[pair.nSecond] = pair.nFirst;
        joined = TRUE;
    }
    return joined;
}

void COutputDlg::OnPositionLinkLR()
{
    m_bLinkLR = !m_btnLinkLR.GetCheck();
    if (g_bLRLinkCmd) {
        // Leaving changes the page's groups only; the live image (channel 1's name among it)
        // is left alone.
        g_bLRLinkCmd = 0;
        for (int i = 0; i < OUTPUT_STRIPS; ++i) {
            CheckPositionButton(TypeOf(i), FALSE);
            g_nOutputGroup[i] = i;
        }
        if (IsOutput(g_nCurOutput))
            CheckPositionButton(TypeOf(g_nCurOutput), TRUE);
        m_btnLinkLR.SetCheck(FALSE);
        return;
    }
    if (!FindStereoPairs()) {
        ShowNoLeftRightPairMessage();
        return;
    }
    if (BuildLeftRightPairs() && ApplyLeftRightGroups() && IsOutput(g_nCurOutput))
        for (int i = 0; i < OUTPUT_STRIPS; ++i)
            if (g_nOutputGroup[i] == g_nOutputGroup[g_nCurOutput])
                CheckPositionButton(TypeOf(i), TRUE);
    g_bLRLinkCmd = 1;
    m_btnLinkLR.SetCheck(TRUE);
}

// ---- the master level from its panel ----

LRESULT COutputDlg::OnMasterLevelChanged(WPARAM, LPARAM)
{
    const int v = m_dlgGain.GetLevel();
    if (v == g_wMasterLevel)
        return 0;
    g_wMasterLevel = WORD(v);
    // A new level also ends a muted master output.
    if (g_bySysParams[4] == 0)
        g_bySysParams[4] = 1;
    if (m_dlgGain.m_btnOn.GetCheck())
        m_dlgGain.m_btnOn.SetCheck(FALSE);
    if (g_pPageHost)
        g_pPageHost->SetSysCmd5Pending(TRUE);
    return 0;
}
