// The output page (template 136): the page the main view hosts in its page tab control. This
// is the page's frame only: a child window of the tab control at the page's pixel size, with
// the routines the view calls when a scene arrives, the language changes or the page is shown.
// The channel strips, the equaliser graph and their editing live in the page folder and take
// this window over.
//
// User-interface thread.
#pragma once

#include "CDialog.h"

class CKRV330View;
class CKTV_Data;

constexpr UINT IDD_OUTPUT_PAGE = 136;
constexpr int OUTPUT_PAGE_WIDTH = 1200;   // pixels, the size of the page's background bitmaps
constexpr int OUTPUT_PAGE_HEIGHT = 663;

class COutputDlg : public CDialog {
public:
    COutputDlg();

    // Makes the page's window as a child of pParent (the view's tab control), hidden.
    BOOL CreatePage(CWnd* pParent);
    // The scene object the page edits (not owned).
    void AttachScene(CKTV_Data* pScene) { m_pScene = pScene; }
    CKTV_Data* GetScene() const { return m_pScene; }
    // SW_SHOW / SW_HIDE; 0 hides.
    void ShowPage(int nCmdShow);
    // Reloads the current output channel into the controls.
    void UpdateChannelView();
    // Routing state of the ten outputs from the live image.
    void LoadRoutingFromImage();
    // The language-dependent texts and images of the page.
    void SetLanguageTexts();
    // Tab from the form: the focus goes to the page's first band.
    void FocusFirstBand();
    // The band part of the channel view only, after the view reset the current equaliser.
    void UpdateBands();
    // The strips of nChannel's link group other than nChannel lose their selection.
    void ClearGroupHighlight(int nChannel);
    // The page's side of a link-table rebuild: its position-link button unchecked, the response
    // graph redrawn with nothing selected, each strip showing its group of g_nLinkGroup.
    void ShowLinkGroups();
    // Applies the speaker-type lock (g_bAssignFlag) to the strips.
    void ApplyLinkMode();
    // Redraws the response graph; nSelected -1: no element selected.
    void DrawGraph(int nSelected);

    // Counters the view's tests read: how often each routine ran.
    int GetUpdateCount() const { return m_nUpdates; }
    int GetRoutingLoads() const { return m_nRoutingLoads; }
    int GetLanguageLoads() const { return m_nLanguageLoads; }
    int GetBandUpdates() const { return m_nBandUpdates; }
    int GetHighlightClears() const { return m_nHighlightClears; }
    int GetLinkGroupLoads() const { return m_nLinkGroupLoads; }
    int GetLinkModeApplies() const { return m_nLinkModeApplies; }
    int GetGraphDraws() const { return m_nGraphDraws; }

    CKRV330View* m_pView = nullptr;  // the main view, set by the view after creation

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    CKTV_Data* m_pScene = nullptr;
    int m_nUpdates = 0;
    int m_nRoutingLoads = 0;
    int m_nLanguageLoads = 0;
    int m_nBandUpdates = 0;
    int m_nHighlightClears = 0;
    int m_nLinkGroupLoads = 0;
    int m_nLinkModeApplies = 0;
    int m_nGraphDraws = 0;
};
