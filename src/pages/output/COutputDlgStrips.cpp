// The output page's side of its channel strips and master-level panel: on/off, gain, polarity,
// delay and the flag toggles of each strip, the paste of a channel and the delay unit. Every
// handler stores through the channel's setters, which stamp the record for the change scanner;
// a stereo pair's second output follows on/off, polarity and delay of the first.
#include "COutputDlg.h"

#include "AppMessages.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CPageHost.h"
#include "Globals.h"
#include "OutputPageGlobals.h"
#include "SceneImage.h"
#include "Sync.h"

#include <algorithm>

namespace {

constexpr int kGainMax = 600;
constexpr int kDelayMax = 960;
constexpr int kFlagByte = OUT_REC_LIMIT * RECORD_SIZE + 7;  // byte 287 of the output block

bool IsChannel(LPARAM n) { return n >= 0 && n < OUTPUT_STRIPS; }

// ch is the first output of a stereo pair.
bool PairHead(int ch) { return ch >= 0 && ch % 2 == 0 && ch + 1 < OUTPUT_STRIPS && g_bStereoPair[ch]; }

void SetFace(CBitButton& b, UINT id) { b.SetBitmaps(id, id, id, 0, 0, 0); }

}  // namespace

BOOL COutputDlg::OnStripPanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    *pResult = 0;
    // Every strip message carries the strip's output; anything else would index past the tables.
    const bool ch = wParam < WPARAM(OUTPUT_STRIPS);
    const int n = int(wParam), v = int(lParam);
    switch (message) {
    case WM_STRIP_OUTPUT_ON: if (ch) OnStripOutputOn(n, v); return TRUE;
    case WM_STRIP_GAIN: if (ch) OnStripGain(n, v); return TRUE;
    case WM_STRIP_POLARITY: if (ch) OnStripPolarity(n, v); return TRUE;
    case WM_STRIP_DELAY: if (ch) OnStripDelay(n, v); return TRUE;
    case WM_STRIP_FLAG_BIT1: if (ch) OnStripFlagBit1(n, v); return TRUE;
    case WM_STRIP_FLAG_BIT2: if (ch) OnStripFlagBit2(n, v); return TRUE;
    case WM_STRIP_FLAG_BIT0: if (ch) OnStripFlagBit0(n, v); return TRUE;
    case WM_STRIP_FLAG_BIT4: if (ch) OnStripFlagBit4(n, v); return TRUE;
    case WM_STRIP_PASTE: if (ch && IsChannel(lParam)) OnStripPaste(n, v); return TRUE;
    case WM_DELAY_UNIT_CHANGED: OnDelayUnitChanged(v); return TRUE;
    case WM_LINK_GROUPS_CHANGED:
        if (ch && (lParam == -1 || IsChannel(lParam)))
            OnLinkGroupsChanged(n, v);
        return TRUE;
    case WM_COMMAND: return HIWORD(wParam) == BN_CLICKED && OnPairToggle(LOWORD(wParam));
    default: return FALSE;
    }
}

// ---- pair panel looks ----

void COutputDlg::ShowPairOn(int nCh, int bOn) { SetFace(m_dlgPair[nCh / 2].m_btnOn, bOn ? IDB_BTL_ON : IDB_BTL_OFF); }

void COutputDlg::ShowPairPolarity(int nCh, int nPolarity)
{
    const UINT normal = g_bChinese ? IDB_BTL_POLARITY_CN : IDB_BTL_POLARITY_EN;
    SetFace(m_dlgPair[nCh / 2].m_btnPolarity, normal + (nPolarity ? 1 : 0));
}

void COutputDlg::ShowPairDelay(int nCh)
{
    m_dlgPair[nCh / 2].m_stcDelay.SetWindowText(m_strip[nCh].m_editDelay.GetWindowText());
}

// ---- strip messages ----

void COutputDlg::OnStripOutputOn(int nCh, int bOn)
{
    CKTV_OutData* out = Channel(nCh);
    if (!out)
        return;
    const int on = bOn ? 1 : 0;
    out->SetOn(on);
    if (!PairHead(nCh))
        return;
    if (CKTV_OutData* partner = Channel(nCh + 1))
        partner->SetOn(on);
    ShowPairOn(nCh, on);
}

void COutputDlg::OnStripGain(int nCh, int nGain)
{
    CKTV_OutData* out = Channel(nCh);
    if (!out)
        return;
    nGain = std::clamp(nGain, 0, kGainMax);
    if (nGain != out->GetGain()) {
        out->SetGain(short(nGain));
        out->SetOn(1);
        m_strip[nCh].SetOutputOn(1);
    }
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (i == nCh || g_nLinkGroup[i] != g_nLinkGroup[nCh])
            continue;
        if (CKTV_OutData* other = Channel(i)) {
            // Only what differs: a strip shown a new gain reports it back, and a linked strip
            // would answer in turn, re-stamping both channels' level records for ever.
            if (m_strip[i].GetGain() != other->GetGain())
                m_strip[i].SetGainValue(other->GetGain());
            if (!other->GetOn()) {
                other->SetOn(1);
                m_strip[i].SetOutputOn(1);
            }
        }
    }
}

void COutputDlg::OnStripPolarity(int nCh, int nPolarity)
{
    CKTV_OutData* out = Channel(nCh);
    if (!out)
        return;
    const int p = nPolarity ? 1 : 0;
    if (p != out->GetPolarity())
        out->SetPolarity(p);
    if (!PairHead(nCh))
        return;
    if (CKTV_OutData* partner = Channel(nCh + 1))
        partner->SetPolarity(p);
    ShowPairPolarity(nCh, p);
}

void COutputDlg::OnStripDelay(int nCh, int nDelay)
{
    CKTV_OutData* out = Channel(nCh);
    if (!out)
        return;
    const short d = short(std::clamp(nDelay, 0, kDelayMax));
    if (d != out->GetDelay())
        out->SetDelay(d);
    if (!PairHead(nCh))
        return;
    CKTV_OutData* partner = Channel(nCh + 1);
    if (partner && partner->GetDelay() != d) {
        partner->SetDelay(d);
        ShowPairDelay(nCh);
    }
}

void COutputDlg::OnStripFlagBit0(int nCh, int bState) { SetOutputFlagBit(nCh, 0, bState); }
void COutputDlg::OnStripFlagBit1(int nCh, int bState) { SetOutputFlagBit(nCh, 1, bState); }
void COutputDlg::OnStripFlagBit2(int nCh, int bState) { SetOutputFlagBit(nCh, 2, bState); }
void COutputDlg::OnStripFlagBit4(int nCh, int bState) { SetOutputFlagBit(nCh, 4, bState); }

void COutputDlg::SetOutputFlagBit(int nCh, int nBit, int bState)
{
    CKTV_OutData* out = Channel(nCh);
    if (!out || nBit < 0 || nBit >= OUTPUT_SOURCE_BITS)
        return;
    const int s = bState ? 1 : 0;
    if (g_bOutputSourceBit[nCh][nBit] == s)
        return;
    g_bOutputSourceBit[nCh][nBit] = s;
    // The live image is the worker's too (replies land in it): the byte changes under its lock.
    CSingleLock lock(g_csComm);
    BYTE& flags = g_Scene[BlockOffset(BLOCK_OUTPUT, nCh) + kFlagByte];
    flags = s ? BYTE(flags | (1 << nBit)) : BYTE(flags & ~(1 << nBit));
    // The limiter packer leaves the flag byte as the image holds it, so record 35 carries it.
    out->SetLimitModified(TRUE);
}

void COutputDlg::OnStripPaste(int nSrc, int nDst)
{
    if (!Channel(nSrc) || !Channel(nDst))
        return;
    if (g_pPageHost)
        g_pPageHost->CopyOutputForSpeakerType(nSrc, nDst);
    UpdateChannelView();
}

void COutputDlg::OnDelayUnitChanged(int nUnit)
{
    if (nUnit < 1 || nUnit > 3)
        return;
    for (COutRoute_Dlg& s : m_strip)
        s.SetDelayUnit(nUnit);
    for (int i = 0; i < OUTPUT_STRIPS; i += 2)
        if (PairHead(i))
            ShowPairDelay(i);
}
