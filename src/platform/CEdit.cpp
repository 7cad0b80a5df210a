#include "CEdit.h"

#include "CWindowDC.h"
#include "Cursor.h"
#include "WinApi.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QString>

#include <algorithm>

namespace {

constexpr int kMargin = 2;  // pixels between the border and the text

std::u32string Ucs4Of(const CString& s)
{
    const QList<uint> cps = QString::fromUtf8(s.data(), int(s.size())).toUcs4();
    return std::u32string(cps.begin(), cps.end());
}

CString Utf8Of(const std::u32string& s)
{
    return QString::fromUcs4(s.data(), qsizetype(s.size())).toStdString();
}

bool CtrlDown() { return (GetKeyState(VK_CONTROL) & 0x8000) != 0; }
bool ShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

}  // namespace

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", "", dwStyle, rect, pParentWnd, nID);
}

int CEdit::CharUnits(char32_t) const { return 1; }

int CEdit::Units(const std::u32string& s) const
{
    int n = 0;
    for (char32_t c : s)
        n += CharUnits(c);
    return n;
}

void CEdit::SetSel(int nStart, int nEnd, BOOL) { SendMessage(EM_SETSEL, WPARAM(nStart), LPARAM(nEnd)); }

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    nStartChar = SelMin();
    nEndChar = SelMax();
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL) { SendMessage(EM_REPLACESEL, TRUE, LPARAM(lpszNewText)); }

void CEdit::LimitText(int nChars) { SendMessage(EM_LIMITTEXT, WPARAM(nChars)); }

BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return BOOL(SendMessage(EM_SETREADONLY, bReadOnly)); }

int CEdit::LineLength(int nLine) const
{
    if (nLine != -1)
        return Units(m_text);
    return Units(m_text.substr(0, size_t(SelMin()))) + Units(m_text.substr(size_t(SelMax())));
}

void CEdit::Clear()
{
    if (!ReadOnly() && Insert(std::u32string()))
        Changed();
}

void CEdit::Copy()
{
    if (SelMin() == SelMax() || (GetStyle() & ES_PASSWORD))
        return;
    if (QClipboard* cb = QGuiApplication::clipboard())
        cb->setText(QString::fromStdString(Utf8Of(m_text.substr(size_t(SelMin()), size_t(SelMax() - SelMin())))));
}

void CEdit::Cut()
{
    Copy();
    Clear();
}

void CEdit::Paste()
{
    QClipboard* cb = QGuiApplication::clipboard();
    if (!cb || ReadOnly())
        return;
    // One line: line breaks end the pasted text.
    QString text = cb->text();
    const int br = int(text.indexOf(QRegularExpression(QStringLiteral("[\r\n]"))));
    if (br >= 0)
        text.truncate(br);
    const QList<uint> cps = text.toUcs4();
    if (Insert(std::u32string(cps.begin(), cps.end())))
        Changed();
}

bool CEdit::Insert(const std::u32string& s)
{
    const int lo = SelMin();
    const int hi = SelMax();
    std::u32string rest = m_text.substr(0, size_t(lo)) + m_text.substr(size_t(hi));
    std::u32string add;
    int room = m_nLimit - Units(rest);
    bool cut = false;
    for (char32_t c : s) {
        if (CharUnits(c) > room) {
            cut = true;
            break;
        }
        room -= CharUnits(c);
        add.push_back(c);
    }
    if (cut)
        NotifyParent(EN_MAXTEXT);
    if (add.empty() && lo == hi)
        return false;
    m_text = rest.insert(size_t(lo), add);
    m_nAnchor = m_nCaret = lo + int(add.size());
    return true;
}

void CEdit::Changed()
{
    m_bModified = true;
    CWnd::DefWindowProc(WM_SETTEXT, 0, LPARAM(Utf8Of(m_text).c_str()));
    KeepCaretVisible();
    Invalidate(FALSE);
    NotifyParent(EN_CHANGE);
}

void CEdit::MoveCaret(int pos, bool extend)
{
    m_nCaret = std::clamp(pos, 0, int(m_text.size()));
    if (!extend)
        m_nAnchor = m_nCaret;
    KeepCaretVisible();
    Invalidate(FALSE);
}

CSize CEdit::Extent(const std::u32string& s) const
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    if (GetFont())
        dc.SelectObject(GetFont());
    return dc.GetTextExtent(Utf8Of(s));
}

std::u32string CEdit::Shown() const
{
    return (GetStyle() & ES_PASSWORD) ? std::u32string(m_text.size(), U'*') : m_text;
}

int CEdit::TextX(int pos) const
{
    const std::u32string shown = Shown();
    const int full = Extent(shown).cx;
    const int prefix = Extent(shown.substr(0, size_t(pos))).cx;
    CRect rc;
    GetClientRect(&rc);
    const int width = rc.Width() - 2 * kMargin;
    int start = kMargin;
    if (full < width) {
        if (GetStyle() & ES_CENTER)
            start += (width - full) / 2;
        else if (GetStyle() & ES_RIGHT)
            start += width - full;
        return start + prefix;
    }
    return start + prefix - m_nScroll;
}

int CEdit::PosFromX(int x) const
{
    int best = 0;
    int bestDist = INT32_MAX;
    for (int i = 0; i <= int(m_text.size()); ++i) {
        const int d = std::abs(TextX(i) - x);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

void CEdit::KeepCaretVisible()
{
    if (!m_hWnd)
        return;
    CRect rc;
    GetClientRect(&rc);
    const int right = rc.Width() - kMargin;
    const int x = TextX(m_nCaret);
    if (x > right)
        m_nScroll += x - right;
    else if (x < kMargin)
        m_nScroll = std::max(0, m_nScroll - (kMargin - x));
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        m_text = Ucs4Of(GetWindowText());
        m_bModified = false;
        m_nAnchor = m_nCaret = 0;
        m_nScroll = 0;
        Invalidate(FALSE);
        NotifyParent(EN_CHANGE);
        return r;
    }
    case WM_CHAR: {
        if (ReadOnly())
            return 0;
        const auto c = char32_t(wParam);
        if (c == 8) {
            if (SelMin() == SelMax() && m_nCaret > 0)
                m_nAnchor = m_nCaret - 1;
            if (Insert(std::u32string()))
                Changed();
            return 0;
        }
        if (c < 0x20 || ((GetStyle() & ES_NUMBER) && (c < U'0' || c > U'9')))
            return 0;
        if (Insert(std::u32string(1, c)))
            Changed();
        return 0;
    }
    case WM_KEYDOWN: {
        const bool shift = ShiftDown();
        switch (UINT(wParam)) {
        case VK_LEFT: MoveCaret(shift || SelMin() == SelMax() ? m_nCaret - 1 : SelMin(), shift); break;
        case VK_RIGHT: MoveCaret(shift || SelMin() == SelMax() ? m_nCaret + 1 : SelMax(), shift); break;
        case VK_HOME: MoveCaret(0, shift); break;
        case VK_END: MoveCaret(int(m_text.size()), shift); break;
        case VK_DELETE:
            if (ReadOnly())
                break;
            if (SelMin() == SelMax())
                m_nAnchor = std::min(m_nCaret + 1, int(m_text.size()));
            if (Insert(std::u32string()))
                Changed();
            break;
        case 'A':
            if (CtrlDown()) {
                m_nAnchor = 0;
                MoveCaret(int(m_text.size()), true);
            }
            break;
        case 'C':
            if (CtrlDown())
                Copy();
            break;
        case 'X':
            if (CtrlDown() && !ReadOnly())
                Cut();
            break;
        case 'V':
            if (CtrlDown())
                Paste();
            break;
        default: break;
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus();
        if (!m_hWnd)
            return 0;
        MoveCaret(PosFromX(GET_X_LPARAM(lParam)), (wParam & MK_SHIFT) != 0);
        SetCapture();
        m_bDragging = true;
        return 0;
    case WM_MOUSEMOVE:
        if (m_bDragging)
            MoveCaret(PosFromX(GET_X_LPARAM(lParam)), true);
        return 0;
    case WM_LBUTTONUP:
        if (m_bDragging) {
            m_bDragging = false;
            if (GetCapture() == this)
                ReleaseCapture();
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        m_nAnchor = 0;
        MoveCaret(int(m_text.size()), true);
        return 0;
    case WM_CAPTURECHANGED:
        m_bDragging = false;
        return 0;
    case WM_SETFOCUS:
        Invalidate(FALSE);
        NotifyParent(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        m_bDragging = false;
        Invalidate(FALSE);
        NotifyParent(EN_KILLFOCUS);
        return 0;
    case WM_ENABLE:
        Invalidate(FALSE);
        return 0;
    case WM_SETCURSOR:
        if (CWnd::DefWindowProc(message, wParam, lParam))
            return TRUE;
        SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
    case EM_GETSEL:
        return LRESULT(MAKELONG(WORD(SelMin()), WORD(SelMax())));
    case EM_SETSEL: {
        const int n = int(m_text.size());
        const int start = int(intptr_t(wParam));
        const int end = int(lParam);
        if (start < 0) {
            m_nAnchor = m_nCaret;
        } else {
            m_nAnchor = std::clamp(start, 0, n);
            m_nCaret = end < 0 ? n : std::clamp(end, 0, n);
        }
        KeepCaretVisible();
        Invalidate(FALSE);
        return 0;
    }
    case EM_REPLACESEL:
        if (Insert(Ucs4Of(lParam ? reinterpret_cast<const char*>(lParam) : "")))
            Changed();
        return 0;
    case EM_LINELENGTH:
        return LineLength(int(intptr_t(wParam)));
    case EM_LIMITTEXT: {
        const int n = int(intptr_t(wParam));
        m_nLimit = n <= 0 ? 0x7FFFFFFE : n;
        return 0;
    }
    case EM_GETLIMITTEXT:
        return m_nLimit;
    case EM_GETMODIFY:
        return m_bModified ? TRUE : FALSE;
    case EM_SETMODIFY:
        m_bModified = wParam != 0;
        return 0;
    case EM_SETREADONLY:
        ModifyStyle(wParam ? 0 : ES_READONLY, wParam ? ES_READONLY : 0);
        Invalidate(FALSE);
        return TRUE;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CEdit::Paint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const bool enabled = IsWindowEnabled();
    const bool plain = enabled && !ReadOnly();
    dc.SetTextColor(GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc.SetBkColor(GetSysColor(plain ? COLOR_WINDOW : COLOR_BTNFACE));
    HBRUSH brush = nullptr;
    if (CWnd* parent = GetParent())
        brush = reinterpret_cast<HBRUSH>(parent->SendMessage(plain ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                                             WPARAM(dc.GetSafeHdc()), LPARAM(m_hWnd)));
    if (!m_hWnd)
        return;
    CBrush tmp;
    if (brush && tmp.Attach(reinterpret_cast<HGDIOBJ>(brush))) {
        dc.FillRect(&rc, &tmp);
        tmp.Detach();
    } else if (!brush) {
        dc.FillSolidRect(rc, GetSysColor(plain ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    const std::u32string shown = Shown();
    const CSize ext = Extent(shown);
    const int top = rc.top + (rc.Height() - std::max(ext.cy, 1)) / 2;
    dc.IntersectClipRect(rc.left + 1, rc.top, rc.right - 1, rc.bottom);
    const bool focused = GetFocus() == this;
    const bool showSel = SelMin() != SelMax() && (focused || (GetStyle() & ES_NOHIDESEL));
    const COLORREF textColour = dc.GetTextColor();
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(TextX(0), top, Utf8Of(shown));
    if (showSel) {
        const int x1 = TextX(SelMin());
        const int x2 = TextX(SelMax());
        dc.FillSolidRect(x1, top, x2 - x1, ext.cy, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.TextOut(x1, top, Utf8Of(shown.substr(size_t(SelMin()), size_t(SelMax() - SelMin()))));
        dc.SetTextColor(textColour);
    }
    if (focused && !showSel) {
        const int x = TextX(m_nCaret);
        dc.FillSolidRect(x, top, 1, std::max(ext.cy, 1), textColour);
    }
    if (oldFont)
        dc.SelectObject(oldFont);
}
