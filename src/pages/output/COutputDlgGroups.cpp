// The output page's link groups, stereo pairs and mix toggles. No control of the page offers
// them today (the link dialog is never opened, the pair toggles stay hidden), but they keep the
// model, the send queue and the strips consistent when called: a group is muted while it takes
// one output's settings, and a pair's outputs leave any group they shared.
#include "COutputDlg.h"

#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CPageHost.h"
#include "Globals.h"
#include "MessageBox.h"
#include "OutputPageGlobals.h"
#include "SceneImage.h"
#include "SpeakerTable.h"
#include "Sync.h"

namespace {

constexpr int kGroupByte = OUT_REC_LIMIT * RECORD_SIZE + 6;  // byte 286: the output's link group
constexpr UINT kBoxTicked = IDB_BTL_BOX_TICKED, kBoxEmpty = IDB_BTL_BOX_EMPTY;

// Pair toggles and the pair panel each serves: 4700 outputs 2/3 ... 4704 outputs 8/9.
struct PairToggle {
    UINT id;
    int button;  // index in m_btnPair
    int panel;
};
const PairToggle kPairToggles[] = {{4700, 2, 1}, {4701, 1, 2}, {4703, 3, 3}, {4704, 4, 4}};

bool Bit(int mask, int i) { return (mask >> i) & 1; }

void SetFace(CBitButton& b, UINT id) { b.SetBitmaps(id, id, id, 0, 0, 0); }

}  // namespace

int COutputDlg::GroupRelation(int g1, int g2)
{
    if (g1 != g2)
        return 2;
    return g1 != 0 ? 1 : 0;
}

int COutputDlg::SoloGroupValue(int nCh)
{
    auto heldByOther = [nCh](int v) {
        for (int i = 0; i < OUTPUT_STRIPS; ++i)
            if (i != nCh && g_nLinkGroup[i] == v)
                return true;
        return false;
    };
    if (!heldByOther(nCh))
        return nCh;
    // Ten outputs, so at most nine values are taken by the others.
    for (int v = 0; v < OUTPUT_STRIPS; ++v)
        if (!heldByOther(v))
            return v;
    return nCh;
}

// ---- link groups ----

void COutputDlg::OnLinkGroupsChanged(int a, int b)
{
    if (a < 0 || a >= OUTPUT_STRIPS || b >= OUTPUT_STRIPS)
        return;
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        g_nLinkGroup[i] = m_strip[i].m_nLinkMask;
    const int g = m_strip[a].m_nLinkMask;
    {
        // Mute, copies and unmute reach the queue as one run.
        CSingleLock lock(g_csComm);
        HoldGroupOutputs(a, TRUE);
        CopyToLinkGroup(a);
        HoldGroupOutputs(a, FALSE);
    }
    if (b >= 0)
        ShowJoinedGroup(a, g, b, m_strip[b].m_nLinkMask);
    else
        UpdateGroupLamps(a, g);
}

void COutputDlg::HoldGroupOutputs(int a, BOOL bHold)
{
    if (!g_bOnline || a < 0 || a >= OUTPUT_STRIPS)
        return;
    const int mask = m_strip[a].m_nLinkMask;
    CSingleLock lock(g_csComm);
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        CKTV_OutData* out = Channel(i);
        if (!out || !Bit(mask, i))
            continue;
        if (bHold) {
            m_bSavedOn[i] = out->GetOn();
            out->SetOn(0);
        } else {
            out->SetOn(m_bSavedOn[i]);
        }
        // Sent now, in order with the copies, not later by the scanner.
        out->SetLevelModified(FALSE);
        std::unique_ptr<CSendData> frame = out->PutLevelRecord(TRUE);
        if (frame && g_pPageHost)
            g_pPageHost->AddSendData(std::move(frame));
    }
}

void COutputDlg::CopyToLinkGroup(int a)
{
    if (a < 0 || a >= OUTPUT_STRIPS || !g_pPageHost)
        return;
    CSingleLock lock(g_csComm);
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (i == a || g_nLinkGroup[i] != g_nLinkGroup[a])
            continue;
        g_pPageHost->CopyOutputSettings(a, i);
        if (i % 2 == 0 && i + 1 < OUTPUT_STRIPS && g_bStereoPair[i])
            g_pPageHost->CopyOutputSettings(i, i + 1);
        g_bLRLink = 1;
    }
}

void COutputDlg::UpdateGroupLamps(int, int g)
{
    bool lit = false;
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        lit = lit || (g_nLinkGroup[i] == g && m_strip[i].IsSelected());
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        if (g_nLinkGroup[i] == g)
            m_strip[i].SetSelected(lit);
}

void COutputDlg::ShowJoinedGroup(int a, int g, int, int gb)
{
    const CKTV_OutData* out = Channel(a);
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (out && i != a && Bit(g, i))
            m_strip[i].SetGainValue(out->GetGain());
        m_strip[i].SetSelected(Bit(gb, i));
    }
}

BOOL COutputDlg::HasOtherMembers(int n) const
{
    return n >= 0 && n < OUTPUT_STRIPS && (m_strip[n].m_nLinkMask & ~(1 << n)) != 0;
}

void COutputDlg::LeaveLinkGroup(int nCh)
{
    const int k = g_nLinkGroup[nCh];
    if (k == 0)
        return;
    // Not 0: that is output 1's own group, which the output would silently join.
    g_nLinkGroup[nCh] = SoloGroupValue(nCh);
    if (g_pPageHost)
        g_pPageHost->RemoveFromLinkGroup(nCh, k);
    g_nLinkMark[nCh] = 0;
    {
        CSingleLock lock(g_csComm);
        g_Scene[BlockOffset(BLOCK_OUTPUT, nCh) + kGroupByte] = 0;
    }
    if (CKTV_OutData* out = Channel(nCh))
        out->SetLimitModified(TRUE);
}

// ---- stereo pairs ----

BOOL COutputDlg::OnPairToggle(UINT nID)
{
    for (const PairToggle& t : kPairToggles) {
        if (t.id != nID)
            continue;
        CBitButton& toggle = m_btnPair[t.button];
        const int a = 2 * t.panel, b = a + 1;
        if (!toggle.GetCheck()) {
            PairChannels(a, b);
            UpdatePairRoutePanel(t.panel);
            m_strip[b].ShowWindow(SW_HIDE);
            m_dlgPair[t.panel].ShowWindow(SW_SHOW);
        } else {
            UnpairChannels(a, b, TRUE);
            m_dlgPair[t.panel].ShowWindow(SW_HIDE);
        }
        toggle.SetCheck(!toggle.GetCheck());
        return TRUE;
    }
    return FALSE;
}

void COutputDlg::PairChannels(int a, int b)
{
    if (!Channel(a) || !Channel(b))
        return;
    g_bStereoPair[a] = g_bStereoPair[b] = 1;
    if (g_nCurOutput == b)
        SelectChannel(WPARAM(a));
    if (GroupRelation(g_nLinkGroup[a], g_nLinkGroup[b]) != 0) {
        LeaveLinkGroup(a);
        LeaveLinkGroup(b);
    }
    {
        CSingleLock lock(g_csComm);
        HoldGroupOutputs(a, TRUE);
        if (g_pPageHost)
            g_pPageHost->CopyOutputForSpeakerType(a, b);
        HoldGroupOutputs(a, FALSE);
    }
    m_graph.DrawGraph(-1);
    UpdateChannelView();
    m_strip[a].m_btnGroup.SetCheck(FALSE);
    m_strip[b].m_btnGroup.SetCheck(FALSE);
    const int c = g_nCurOutput;
    for (int i = 0; i < OUTPUT_STRIPS; ++i)
        m_strip[i].SetSelected(c >= 0 && c < OUTPUT_STRIPS && g_nLinkGroup[i] == g_nLinkGroup[c]);
}

void COutputDlg::UnpairChannels(int a, int b, BOOL bSelect)
{
    if (!Channel(a) || !Channel(b))
        return;
    g_bStereoPair[a] = g_bStereoPair[b] = 0;
    m_strip[b].ShowWindow(SW_SHOW);
    UpdateChannelView();
    m_strip[b].SetPolarity(0);
    if (bSelect)
        SelectChannel(WPARAM(a));
    LeaveLinkGroup(a);
    m_strip[a].m_btnGroup.SetCheck(FALSE);
}

void COutputDlg::UpdatePairRoutePanel(int k)
{
    const int ch = 2 * k;
    const CKTV_OutData* out = Channel(ch);
    if (k < 0 || k >= BTL_PAIRS || !out)
        return;
    CBTLRouteDlg& panel = m_dlgPair[k];
    for (int n = 1; n <= 10; ++n)
        SetFace(panel.m_btnSource[n - 1], out->GetMixA(n) ? kBoxTicked : kBoxEmpty);
    panel.m_stcGain.SetWindowText(m_strip[ch].m_editGain.GetWindowText());
    panel.m_sliderGain.SetValue(out->GetGain());
    ShowPairDelay(ch);
    ShowPairPolarity(ch, out->GetPolarity());
    ShowPairOn(ch, out->GetOn());
}

void COutputDlg::OnMixToggle(int n, int nCh, BOOL bOn)
{
    CKTV_OutData* out = Channel(nCh);
    if (!out || n < 5 || n > 12)
        return;
    int& level = m_nMixLevel[n - 5];
    if (bOn) {
        const int remembered = g_pPageHost ? g_pPageHost->GetMixMemory(nCh, n) : 100;
        level = remembered > 0 && remembered <= 100 ? remembered : 100;
    } else {
        level = 0;
    }
    out->SetMixA(n, BYTE(level));
    if (nCh % 2 != 0 || nCh + 1 >= OUTPUT_STRIPS || !g_bStereoPair[nCh])
        return;
    if (CKTV_OutData* partner = Channel(nCh + 1))
        partner->SetMixA(n, bOn ? 100 : 0);
    SetFace(m_dlgPair[nCh / 2].m_btnSource[n - 1], bOn ? kBoxTicked : kBoxEmpty);
}

// ---- the rest ----

void COutputDlg::SetStripSourceType(int t)
{
    for (COutRoute_Dlg& s : m_strip)
        s.HighlightSourceLabels(t);
}

void COutputDlg::CopyLeftRightOnStates(int nDirection)
{
    for (const SpeakerPair& p : g_arLeftRightPair) {
        if (!p.bUsed)
            continue;
        const int src = nDirection == 0 ? p.nFirst : p.nSecond;
        const int dst = nDirection == 0 ? p.nSecond : p.nFirst;
        const CKTV_OutData* out = Channel(src);
        if (out && dst >= 0 && dst < OUTPUT_STRIPS)
            m_strip[dst].SetOutputOn(out->GetOn());
    }
}

void COutputDlg::ShowGroupMarks(BOOL bShow)
{
    static const int kAt[3][2] = {{981, 339}, {414, 452}, {584, 452}};
    if (!GetSafeHwnd())
        return;
    for (int k = 0; k < 3; ++k) {
        CStatic& mark = m_stcGroupMark[k];
        if (!mark.GetSafeHwnd())
            mark.Create("", WS_CHILD | SS_BITMAP, TemplateRect(kAt[k][0], kAt[k][1], 10, 10), this, 5080 + UINT(k));
        mark.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    }
}

void COutputDlg::ApplySpeakerGroupLink()
{
    // The speaker group's link flag locks nothing on this page; its delay fields follow the
    // page's own lock.
    SyncDelayEditLock();
}

int COutputDlg::ShowPageMessage(const CString& text, UINT nType, int nCaption)
{
    return AfxMessageBox(text, nType, nCaption);
}
