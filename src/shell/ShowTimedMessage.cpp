#include "ShowTimedMessage.h"

#include "CButton.h"
#include "CDialog.h"
#include "CStatic.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr UINT IDD_TIMED_MESSAGE = 115;
constexpr UINT CLOSE_TIMER = 1;
constexpr int BOX_WIDTH = 340;
constexpr int BOX_HEIGHT = 150;
constexpr int BUTTON_WIDTH = 80;
constexpr int BUTTON_HEIGHT = 26;
constexpr int MARGIN = 14;

TimedMessageHook& Hook()
{
    static TimedMessageHook hook;  // user-interface thread
    return hook;
}

struct BoxButton {
    int id;
    const char* textCn;
    const char* textEn;
};

std::vector<BoxButton> ButtonsOf(UINT nType)
{
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "确定", "OK"}, {IDCANCEL, "取消", "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "是", "Yes"}, {IDNO, "否", "No"}};
    default:
        return {{IDOK, "确定", "OK"}};
    }
}

// The box itself: text above, buttons along the bottom, right-aligned; a selector with a close
// time ends it with IDOK when the time is up.
class CTimedMessageBox : public CDialog {
public:
    CTimedMessageBox(CWnd* pOwner, CString text, CString caption, UINT nType, BOOL bChinese, int nCloseMs)
        : CDialog(IDD_TIMED_MESSAGE, pOwner),
          m_strText(std::move(text)),
          m_strCaption(std::move(caption)),
          m_buttons(ButtonsOf(nType)),
          m_bChinese(bChinese),
          m_nCloseMs(nCloseMs)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        SetWindowText(m_strCaption);
        m_text.Create(m_strText.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                      CRect(MARGIN, MARGIN, BOX_WIDTH - MARGIN, BOX_HEIGHT - 2 * MARGIN - BUTTON_HEIGHT), this);
        m_pButtons.clear();
        int right = BOX_WIDTH - MARGIN;
        for (auto it = m_buttons.rbegin(); it != m_buttons.rend(); ++it) {
            auto button = std::make_unique<CButton>();
            const int top = BOX_HEIGHT - MARGIN - BUTTON_HEIGHT;
            button->Create(m_bChinese ? it->textCn : it->textEn, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                           CRect(right - BUTTON_WIDTH, top, right, top + BUTTON_HEIGHT), this, UINT(it->id));
            right -= BUTTON_WIDTH + MARGIN / 2;
            m_pButtons.push_back(std::move(button));
        }
        if (m_nCloseMs > 0)
            SetTimer(CLOSE_TIMER, UINT(m_nCloseMs));
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        const int id = LOWORD(wParam);
        for (const BoxButton& b : m_buttons)
            if (b.id == id) {
                EndDialog(id);
                return TRUE;
            }
        return FALSE;
    }

    void OnTimer(UINT_PTR nIDEvent) override
    {
        if (nIDEvent != CLOSE_TIMER)
            return CDialog::OnTimer(nIDEvent);
        KillTimer(CLOSE_TIMER);
        EndDialog(IDOK);
    }

private:
    const CString m_strText;
    const CString m_strCaption;
    const std::vector<BoxButton> m_buttons;
    const BOOL m_bChinese;
    const int m_nCloseMs;
    CStatic m_text;
    std::vector<std::unique_ptr<CButton>> m_pButtons;
};

void RegisterBoxTemplate()
{
    static bool registered = false;
    if (registered)
        return;
    RegisterDialogTemplate(IDD_TIMED_MESSAGE, DialogTemplate{"", BOX_WIDTH, BOX_HEIGHT, 0});
    registered = true;
}

}  // namespace

CString TimedMessageCaption(int nSelector, BOOL bChinese, const CString& caption)
{
    switch (nSelector) {
    case TIMED_PROMPT:
        return bChinese ? "提示" : "Prompting";
    case TIMED_WARNING:
        return bChinese ? "警告" : "Warning";
    case CAPTION_PROMPT_CN:
        return "提示";
    case CAPTION_PROMPT_EN:
        return "Prompting";
    case CAPTION_WARNING_CN:
        return "警告";
    case CAPTION_WARNING_EN:
        return "Warning";
    default:
        return caption;
    }
}

int TimedMessageCloseMs(int nSelector)
{
    return nSelector == TIMED_PROMPT || nSelector == TIMED_WARNING ? nSelector : 0;
}

int ShowTimedMessage(CWnd* pOwner, const CString& text, const CString& caption, UINT nType, BOOL bChinese,
                     int nSelector)
{
    if (Hook())
        return Hook()(text, nSelector);
    RegisterBoxTemplate();
    CTimedMessageBox box(pOwner, text, TimedMessageCaption(nSelector, bChinese, caption), nType, bChinese,
                         TimedMessageCloseMs(nSelector));
    const INT_PTR result = box.DoModal();
    return result < 0 ? IDCANCEL : int(result);
}

TimedMessageHook SetTimedMessageHook(TimedMessageHook hook) { return std::exchange(Hook(), std::move(hook)); }
