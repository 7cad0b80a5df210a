#include "CMessageBox.h"

#include "DialogUnits.h"
#include "Globals.h"
#include "Texts.h"

namespace {

// Template 115, in dialog units of Arial 9 pt.
constexpr int kBoxWidthDlu = 183;
constexpr int kBoxHeightDlu = 78;
constexpr int kFontTenthsOfPoint = 90;
const char* const kFontFace = "Arial";

enum class Ending { Ok, Cancel, Timeout };

// Answers by button type (-1: icon bit or a type without rules of its own).
int AnswerOf(int nButtonType, Ending e)
{
    switch (nButtonType) {
    case int(MB_OK):
        return IDOK;
    case int(MB_OKCANCEL):
        return e == Ending::Ok ? IDOK : IDCANCEL;
    case int(MB_YESNO):
        return e == Ending::Ok ? IDYES : IDNO;
    case int(MB_CANCELTRYCONTINUE):
        // Only Quit is shown; Enter still reaches the hidden OK button and means Quit too.
        return IDCANCEL;
    default:
        return e == Ending::Cancel ? IDCANCEL : IDOK;
    }
}

CSize BoxBaseUnits()
{
    static const CSize base = [] {
        CFont font;
        font.CreatePointFont(kFontTenthsOfPoint, kFontFace);
        return GetDialogBaseUnits(&font);
    }();
    return base;
}

void RegisterBoxTemplate()
{
    static bool registered = false;  // user-interface thread
    if (registered)
        return;
    const CSize base = BoxBaseUnits();
    RegisterDialogTemplate(IDD_MESSAGEBOX,
                           DialogTemplate{"AfxMessageBox", DialogUnitsToPixelsX(kBoxWidthDlu, base),
                                          DialogUnitsToPixelsY(kBoxHeightDlu, base),
                                          WS_POPUP | WS_CAPTION | WS_SYSMENU});
    registered = true;
}

}  // namespace

CMessageBox::CMessageBox(const CString& text, UINT nType, const CString& caption, int nSelector)
    : CDialog(IDD_MESSAGEBOX, nullptr),
      m_pszText(nullptr),
      m_nType(nType),
      m_nTime(nSelector),
      m_pszCaption(nullptr),
      m_nResult(IDCANCEL),
      m_strText(text),
      m_strCaption(caption)
{
    RegisterBoxTemplate();
    m_pszText = m_strText.c_str();
    m_pszCaption = m_strCaption.c_str();
    m_nResult = AnswerOf(ButtonType(), Ending::Cancel);
}

CMessageBox::CMessageBox(CWnd* pParent)
    : CDialog(IDD_MESSAGEBOX, pParent),
      m_pszText(nullptr),
      m_nType(MB_OK),
      m_nTime(0),
      m_pszCaption(nullptr),
      m_nResult(IDOK)
{
    RegisterBoxTemplate();
    m_pszText = m_strText.c_str();
    m_pszCaption = m_strCaption.c_str();
}

void CMessageBox::Init(const CString& text, UINT nType, const CString&, int nSelector)
{
    m_strText = text;
    m_strCaption = g_strProductName;
    m_pszText = m_strText.c_str();
    m_pszCaption = m_strCaption.c_str();
    m_nType = nType;
    m_nTime = nSelector;
    m_nResult = AnswerOf(ButtonType(), Ending::Cancel);
}

INT_PTR CMessageBox::DoModal()
{
    const TimedMessageHook hook = CurrentTimedMessageHook();
    if (hook) {
        m_nResult = hook(m_strText, m_nTime);
        return m_nResult;
    }
    m_nResult = AnswerOf(ButtonType(), Ending::Cancel);
    CDialog::DoModal();
    return m_nResult;
}

CString CMessageBox::SelectorCaption(int nSelector, BOOL bChinese, const CString& caption)
{
    switch (nSelector) {
    case TIMED_PROMPT:
        return bChinese ? g_strPromptCn : g_strPromptEn;
    case TIMED_WARNING:
        return bChinese ? g_strWarnCn : g_strWarnEn;
    case CAPTION_PROMPT_CN:
        return g_strPromptCn;
    case CAPTION_PROMPT_EN:
        return g_strPromptEn;
    case CAPTION_WARNING_CN:
        return g_strWarnCn;
    case CAPTION_WARNING_EN:
        return g_strWarnEn;
    default:
        return caption;
    }
}

int CMessageBox::SelectorCloseMs(int nSelector) { return nSelector > 0 ? nSelector : 0; }

int CMessageBox::ButtonType() const { return (m_nType & MB_ICONMASK) ? -1 : int(m_nType & MB_TYPEMASK); }

void CMessageBox::CreateControls()
{
    m_font.DeleteObject();
    m_font.CreatePointFont(kFontTenthsOfPoint, kFontFace);
    SetFont(&m_font, FALSE);
    const CSize base = BoxBaseUnits();
    m_stText.Create("", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, DialogRect(-1, 25, 184, 27, base), this,
                    IDC_MESSAGEBOX_TEXT);
    m_btnOK.Create("OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, DialogRect(37, 56, 50, 14, base), this,
                   IDOK);
    m_btnCancel.Create("Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, DialogRect(101, 56, 50, 14, base),
                       this, IDCANCEL);
    for (CWnd* w : {static_cast<CWnd*>(&m_stText), static_cast<CWnd*>(&m_btnOK), static_cast<CWnd*>(&m_btnCancel)})
        w->SetFont(&m_font, FALSE);
}

void CMessageBox::CentreButton(CButton& button)
{
    GetWindowRect(&m_rcWindow);
    button.GetWindowRect(&m_rcButton);
    ScreenToClient(&m_rcButton);
    const int left = (m_rcWindow.Width() - m_rcButton.Width()) / 2;
    button.MoveWindow(left, m_rcButton.top, m_rcButton.Width(), m_rcButton.Height());
}

BOOL CMessageBox::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateControls();

    m_stText.ModifyStyle(SS_RIGHT, SS_CENTER);
    m_stText.SetWindowText(m_pszText);
    SetWindowText(SelectorCaption(m_nTime, g_bChinese, m_pszCaption));
    if (const int closeMs = SelectorCloseMs(m_nTime))
        SetTimer(MESSAGEBOX_CLOSE_TIMER, UINT(closeMs));

    const bool chinese = g_bChinese != 0;
    switch (ButtonType()) {
    case int(MB_OK):
        m_btnOK.SetWindowText(chinese ? "确定" : "OK");
        m_btnCancel.ShowWindow(SW_HIDE);
        CentreButton(m_btnOK);
        break;
    case int(MB_OKCANCEL):
        m_btnOK.SetWindowText(chinese ? "确定" : "OK");
        m_btnCancel.SetWindowText(chinese ? "取消" : "Cancel");
        break;
    case int(MB_YESNO):
        m_btnOK.SetWindowText(chinese ? "是" : "YES");
        m_btnCancel.SetWindowText(chinese ? "否" : "NO");
        break;
    case int(MB_CANCELTRYCONTINUE):
        m_btnCancel.SetWindowText(chinese ? "退出" : "Quit");
        m_btnOK.ShowWindow(SW_HIDE);
        CentreButton(m_btnCancel);
        break;
    default:
        break;
    }
    // The keyboard starts on the button that answers Enter, or on Quit when that is the only one.
    (m_btnOK.GetStyle() & WS_VISIBLE ? m_btnOK : m_btnCancel).SetFocus();
    return TRUE;
}

void CMessageBox::OnOK()
{
    m_nResult = AnswerOf(ButtonType(), Ending::Ok);
    CDialog::OnOK();
}

void CMessageBox::OnCancel()
{
    m_nResult = AnswerOf(ButtonType(), Ending::Cancel);
    CDialog::OnCancel();
}

void CMessageBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != MESSAGEBOX_CLOSE_TIMER) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    KillTimer(MESSAGEBOX_CLOSE_TIMER);
    m_nResult = AnswerOf(ButtonType(), Ending::Timeout);
    CDialog::OnOK();  // the box's own OnOK would replace the time-out answer
}

int RunMessageBox(CWnd* pOwner, const CString& text, UINT nType, int nSelector)
{
    CMessageBox box(text, nType, g_strProductName, nSelector);
    box.m_pParentWnd = pOwner;
    box.DoModal();
    return box.m_nResult;
}
