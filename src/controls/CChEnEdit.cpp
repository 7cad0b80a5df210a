#include "CChEnEdit.h"

#include <QList>
#include <QString>

#include <string>

namespace {
// A character that takes two bytes in the device's name encoding.
bool IsDoubleByte(char32_t c) { return c > 0x7F; }
}  // namespace

int CChEnEdit::CharUnits(char32_t c) const { return IsDoubleByte(c) ? 2 : 1; }

CString CChEnEdit::AlignDoubleByte(const CString& strText)
{
    const QList<uint> in = QString::fromUtf8(strText.data(), int(strText.size())).toUcs4();
    std::u32string out;
    int singles = 0;
    for (uint c : in) {
        if (IsDoubleByte(char32_t(c))) {
            if (singles % 2) {
                out.push_back(U' ');
                singles = 0;
            }
        } else {
            ++singles;
        }
        out.push_back(char32_t(c));
    }
    return QString::fromUcs4(out.data(), qsizetype(out.size())).toStdString();
}

void CChEnEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (m_bDbcsAlign && IsDoubleByte(char32_t(nChar)) && LineLength(-1) % 2)
        CEdit::DefWindowProc(WM_CHAR, WPARAM(' '), LPARAM(0x00390001));
    Default();
}

void CChEnEdit::OnKillFocus(CWnd*)
{
    Default();
    if (m_bDbcsAlign)
        SetWindowText(AlignDoubleByte(GetWindowText()));
}
