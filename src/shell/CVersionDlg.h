// The About box (template 269): the program's picture, the connected device's firmware version
// and the program's own version, and a Quit button. Opening it clears the firmware-update mode.
// Constructed on the stack and run with DoModal; Quit ends it with IDOK.
// User-interface thread.
#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CHyLink.h"
#include "CStatic.h"
#include "CTransparentStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_VERSION = 269;
constexpr UINT IDC_VERSION_PICTURE = 2065;
constexpr UINT IDC_VERSION_LINE = 1876;
constexpr UINT IDC_VERSION_DEVICE = 1877;
constexpr UINT IDC_VERSION_SOFTWARE = 1875;
constexpr UINT IDC_VERSION_NOTICE = 1894;
constexpr UINT IDC_VERSION_LINK = 1895;
constexpr UINT IDC_VERSION_QUIT = 1874;
constexpr UINT IDC_VERSION_HELP = 8802;
constexpr UINT IDB_VERSION_PICTURE = 275;  // 128 x 91 pixels

class CVersionDlg : public CDialog {
public:
    explicit CVersionDlg(CWnd* pParent = nullptr);
    ~CVersionDlg() override;

    // The version as shown: the first 11 bytes of szVersion as text, trimmed; a non-empty one
    // becomes "MPVORN-" and its last 6 characters (all of it when shorter).
    static CString DeviceVersionText(const char* szVersion);

    CStatic m_stPicture;                 // 2065, bitmap 275
    CHyLink m_link;                      // 1895, hidden
    CTransparentStatic m_stNotice;       // 1894, fixed notice
    CButton m_btnHelp;                   // 8802, hidden, does nothing
    CTransparentStatic m_stSoftVersion;  // 1875
    CTransparentStatic m_stDevVersion;   // 1877
    CTransparentStatic m_stLine1876;     // 1876, empty
    CButton m_btnQuit;                   // 1874, ends with IDOK

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    void CreateControls();

    CFont m_font;          // the template's Arial 9
    CBitmap m_bmpPicture;  // shown by m_stPicture; empty when the image is missing
};
