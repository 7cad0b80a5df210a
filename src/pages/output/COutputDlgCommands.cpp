// The output page's commands on all bands of the current channel: bypass or restore all, the
// PEQ/GEQ switch and the reset of every band, each after a yes/no question. Unlike the band
// edits, these send whole channel blocks through the view.
#include "COutputDlg.h"

#include "CFilter.h"
#include "CKTV_Data.h"
#include "CKTV_OutData.h"
#include "CPageHost.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Sync.h"
#include "Texts.h"

namespace {

int Ask(const CString& cn, const CString& en)
{
    return AfxMessageBox(g_bChinese ? cn : en, MB_YESNO, g_bChinese ? -2 : -3);
}

}  // namespace

BOOL COutputDlg::OnPageButton(UINT nID)
{
    switch (nID) {
    case IDC_ALL_BYPASS: ToggleAllBypass(); return TRUE;
    case IDC_PAGE_EQ_MODE: ToggleEqMode(); return TRUE;
    case IDC_PAGE_RESET_EQ: ResetAllEq(); return TRUE;
    default: return FALSE;
    }
}

void COutputDlg::ToggleAllBypass()
{
    HighlightBandLabel(0, FALSE);
    FocusBandEdit(0, 0, FALSE);
    m_graph.ClearHotFilter();
    m_graph.DrawGraph(-1);
    if (!CurrentChannel())
        return;
    const BOOL wasAll = g_pPageHost ? g_pPageHost->GetAllBypassCheck() : m_bAllBypass;
    const BOOL request = !wasAll;
    m_pOutData->MuteAllBands(request);
    if (!request && m_pOutData->IsAllBypass()) {
        // Every filter is bypassed or flat by itself: there is nothing to restore.
        m_pOutData->MuteAllBands(TRUE);
        if (g_pPageHost)
            g_pPageHost->SetAllBypassCheck(TRUE);
        return;
    }
    m_bAllBypass = m_pOutData->IsAllBypass();
    if (Ask(m_bAllBypass ? g_strBypassEqCn : g_strRestoreEqCn, m_bAllBypass ? g_strBypassEqEn : g_strRestoreEqEn) !=
        IDYES) {
        m_pOutData->MuteAllBands(!m_bAllBypass);
        m_bAllBypass = !m_bAllBypass;
        if (g_pPageHost)
            g_pPageHost->SetAllBypassCheck(m_bAllBypass);
        return;
    }
    for (int b = 0; b < OUTPUT_BANDS; ++b) {
        CFilter* f = m_pOutData->GetFilter(b);
        if (!f)
            continue;
        if (!m_bAllBypass) {
            m_nGain = f->GetGainIndex();
            m_spinBandGain[b].SetPos(m_nGain);
            m_sliderBandGain[b].SetValue(m_nGain);
        }
        SetBandBypassLook(f->IsBypassed(), b);
    }
    if (g_pPageHost) {
        CSingleLock lock(g_csComm);
        g_pPageHost->SendOutputLevelMuted(g_nCurOutput);
        g_pPageHost->SendOutputChannelMutedNoLock(g_nCurOutput);
    }
    ApplyAllBypassToGroup();
    if (g_pPageHost)
        g_pPageHost->SetAllBypassCheck(m_bAllBypass);
    m_graph.DrawGraph(-1);
    MarkEdited();
}

void COutputDlg::ApplyAllBypassToGroup()
{
    const int c = g_nCurOutput;
    if (c < 0 || c >= OUTPUT_STRIPS)
        return;
    auto mute = [this](int ch) {
        if (CKTV_OutData* out = Channel(ch))
            out->MuteAllBands(m_bAllBypass);
    };
    auto send = [](int ch) {
        if (g_pPageHost)
            g_pPageHost->SendOutputChannelMuted(ch);
    };
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        if (g_nLinkGroup[i] != g_nLinkGroup[c])
            continue;
        if (i != c) {
            mute(i);
            if (IsPairHead(i))
                mute(i + 1);
        }
        send(i);
    }
    if (IsPairHead(c)) {
        mute(c + 1);
        send(c + 1);
    }
}

void COutputDlg::ToggleEqMode()
{
    const int mode = g_pPageHost ? !g_pPageHost->GetEqModeCheck() : !m_nEqMode;
    if (Ask(mode ? g_strPeqToGeqCn : g_strGeqToPeqCn, mode ? g_strPeqToGeqEn : g_strGeqToPeqEn) != IDYES)
        return;
    if (!CurrentChannel())
        return;
    m_nEqMode = mode;
    if (g_pPageHost)
        g_pPageHost->SetEqModeCheck(m_nEqMode);
    ApplyEqModeLook(m_nEqMode);
    m_pOutData->SetEqMode(BYTE(m_nEqMode));
    UpdateSliderThumbs();
    if (g_pPageHost)
        g_pPageHost->ResetOutputEqFrequencies();
    m_graph.DrawGraph(-1);
}

void COutputDlg::ResetAllEq()
{
    if (Ask(g_strResetEqCn, g_strResetEqEn) != IDYES)
        return;
    if (g_pPageHost)
        g_pPageHost->ResetOutputEqFrequencies();
    m_graph.DrawGraph(-1);
}
