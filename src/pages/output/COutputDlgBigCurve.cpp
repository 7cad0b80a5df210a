// The output page's big-curve view: the response graph enlarged over the band controls, which
// are hidden meanwhile, and everything put back on the second toggle.
#include "COutputDlg.h"

#include "Globals.h"
#include "SpeakerTable.h"

void COutputDlg::ToggleBigCurve()
{
    g_bBigCurve = m_dlgChannels.m_btnBigCurve.GetCheck() ? FALSE : TRUE;
    m_dlgChannels.m_btnBigCurve.SetCheck(g_bBigCurve);
    const int show = g_bBigCurve ? SW_HIDE : SW_SHOW;
    for (int n = 0; n < OUTPUT_BANDS; ++n) {
        CWnd* band[6] = {&m_stcBandNo[n],    &m_editBandFreq[n],   &m_editBandQ[n],
                         &m_editBandGain[n], &m_sliderBandGain[n], &m_btnBypass[n]};
        for (CWnd* w : band)
            if (w->GetSafeHwnd())
                w->ShowWindow(show);
    }
    CWnd* crossover[8] = {&m_btnHpfClass, &m_btnLpfClass, &m_editHpfFreq, &m_editLpfFreq,
                          &m_btnHpfSlope, &m_btnLpfSlope, &m_btnDelayUnit, &m_btnLinkLR};
    for (CWnd* w : crossover)
        if (w->GetSafeHwnd())
            w->ShowWindow(show);
    for (int i = 0; i < OUTPUT_STRIPS; ++i) {
        const int type = g_bySpeakerType[SPEAKER_CHANNEL_BASE + i];
        if (g_bBigCurve)
            HidePosition(type);
        else
            ShowPosition(type, i == g_nCurOutput, i);
    }
    if (g_bBigCurve)
        m_graph.MoveWindow(10, 4, 1150, 400, TRUE);
    else
        m_graph.MoveWindow(212, 4, 947, 215, TRUE);
    m_graph.Attach(m_pScene, 4);
    m_graph.SelectOutputChannel(g_nCurOutput);
    m_graph.SetDrawMode(4);
    Invalidate(TRUE);
}
