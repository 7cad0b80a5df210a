// The name box of "save as machine preset": one name field (at most 13 bytes as the device
// counts them, a Chinese character taking two and never cut in half), prefilled with the
// scene's current name. OK takes the text; Cancel, Esc and the close box change nothing.
#pragma once

#include "CButton.h"
#include "CChEnEdit.h"
#include "CDialog.h"
#include "CStatic.h"
#include "GdiObjects.h"

constexpr UINT IDD_SAVE_PRESET = 666;
constexpr UINT IDC_SAVE_NAME = 2726;
constexpr UINT IDC_SAVE_NUMBER = 2725;
// Bytes of a preset name the box accepts.
constexpr int kPresetNameLimit = 13;

// Preset names are GBK bytes in the scene images; the program's texts are UTF-8.
CString PresetNameFromField(const BYTE* pField);
// The GBK bytes of a name; the text itself when it cannot be converted.
CString PresetNameToDevice(const CString& strName);

class CSaveDlg : public CDialog {
public:
    explicit CSaveDlg(CWnd* pParent = nullptr);
    ~CSaveDlg() override;

    CButton m_btnOK;
    CButton m_btnCancel;
    CChEnEdit m_editName;
    CStatic m_stNumber;
    int m_nScene = 1;   // 1..6, set by the opener
    CString m_strName;  // the name entered (UTF-8)
    CString m_strNumber;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;

private:
    CFont m_font;  // the template's Arial 9
};
