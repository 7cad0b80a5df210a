// The source bar of the input page (template 653): a strip along the bottom of the page that
// pictures the processor's input connectors, one PNG button per input. A click marks the
// connector and posts WM_INPUT_SOURCE_SELECTED (0, input code 0..5) to the owner, also when the
// input is already shown; the owner decides what the choice does.
//
// Which AUX connectors are shown follows the AUX mode g_nInputKind (three stereo pairs, a
// four-channel input and a pair, or one six-channel input); which one is marked follows
// g_nShownInput. The bar draws the page's background under itself (CopyParentBkgnd, called
// from the page's paint) and its own PNG 654 over it.
//
// User-interface thread.
#pragma once

#include "CBtnPng.h"
#include "CDC.h"
#include "CDialog.h"
#include "GdiObjects.h"

class CImage;

constexpr UINT IDD_INMODE_BAR = 653;
constexpr UINT IDPNG_INMODE_BACK = 654;  // 860 x 175

// Connector buttons.
constexpr UINT IDC_SRC_HILEVEL = 2704;   // input 1
constexpr UINT IDC_SRC_SPDIF = 2705;     // input 0
constexpr UINT IDC_SRC_PAIR1 = 2706;     // input 3, AUX mode 0
constexpr UINT IDC_SRC_PAIR2 = 2707;     // input 4, AUX mode 0
constexpr UINT IDC_SRC_PAIR3 = 2708;     // input 5, AUX mode 0
constexpr UINT IDC_SRC_QUAD = 2710;      // input 3, AUX mode 1
constexpr UINT IDC_SRC_QUAD_PAIR = 2711; // input 4, AUX mode 1
constexpr UINT IDC_SRC_QUAD_SPARE = 2712;  // input 5, AUX mode 1, never shown
constexpr UINT IDC_SRC_SIX = 2713;       // input 3, AUX mode 2
constexpr UINT IDC_SRC_SIX_SPARE = 2714; // input 4, AUX mode 2, never shown
constexpr UINT IDC_SRC_PHONE = 2715;     // input 2

constexpr int INMODE_BUTTONS = 11;

class CInMode_Dlg : public CDialog {
public:
    explicit CInMode_Dlg(CWnd* pParent = nullptr);
    ~CInMode_Dlg() override;

    // Makes the bar's window as a hidden child of pParent, sized to PNG 654.
    BOOL CreateBar(CWnd* pParent);
    // The window that receives WM_INPUT_SOURCE_SELECTED; none until the page sets it.
    void SetOwnerWnd(CWnd* pOwner) { m_pOwner = pOwner; }
    CWnd* GetOwnerWnd() const { return m_pOwner; }

    void SetButtonImages();
    // Shows the AUX connectors of g_nInputKind.
    void ShowVariantGroup();
    // Marks the connector of g_nShownInput after unmarking all.
    void UpdateModeButtons();
    void UncheckAllButtons();
    // Unmarks the connector of g_nShownInput.
    void ReleaseModeButton();
    void ShowMode2Btn(BOOL bShow);  // Bluetooth 2715
    void ShowMode0Btn(BOOL bShow);  // S/PDIF 2705
    void RedrawModeButtons();
    // Keeps the page's pixels under the bar for the bar's own paint (pDC: the page's paint DC).
    void CopyParentBkgnd(CDC* pDC);
    // A click on the connector of input code nCode.
    void OnSourceButton(UINT nID);

    // Input code of a connector, -1 for another id.
    static int CodeOfButton(UINT nID);
    // The connector that marks input nShown in AUX mode nKind (0 for none).
    static UINT MarkedButton(int nShown, int nKind);
    // The connector ReleaseModeButton unmarks (0 for none).
    static UINT ReleasedButton(int nShown, int nKind);
    CBtnPng* GetButton(UINT nID);
    CSize GetImageSize() const { return CSize(m_nBackWidth, m_nBackHeight); }

protected:
    BOOL OnInitDialog() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void CheckButton(UINT nID, BOOL bCheck);

    CWnd* m_pOwner = nullptr;
    // In the order 2715, 2713, 2714, 2710, 2711, 2712, 2706, 2707, 2708, 2705, 2704.
    CBtnPng m_btn[INMODE_BUTTONS];
    CImage* m_pBack = nullptr;
    int m_nBackHeight = 0;
    int m_nBackWidth = 0;
    CDC m_dcParent;        // the page's pixels under the bar
    CBitmap m_bmpParent;
    CBitmap* m_pOldBitmap = nullptr;
};
