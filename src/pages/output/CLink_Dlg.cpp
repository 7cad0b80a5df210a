#include "CLink_Dlg.h"

#include "AppMessages.h"
#include "COutRoute_Dlg.h"
#include "CWindowDC.h"
#include "CommCtrl.h"
#include "DialogUnits.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "MessageBox.h"

#include <algorithm>

namespace {

// Template 887 is laid out in dialog units of Arial 10 pt.
const CDialogFontUnits& Units()
{
    static const CDialogFontUnits units(100, "Arial");
    return units;
}

constexpr COLORREF kListBack = RGB(247, 247, 255);
constexpr COLORREF kListText = RGB(0, 0, 0);
constexpr COLORREF kGridLine = RGB(208, 208, 216);
constexpr COLORREF kHeaderBack = RGB(232, 232, 240);
constexpr COLORREF kSelectedBack = RGB(51, 153, 255);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);

// Button places (dialog units) and faces: normal, then hover and pressed, Chinese and English.
struct Face {
    UINT normalCn, hotCn, normalEn, hotEn;
};

constexpr int kGroupButtonY[LINK_DLG_GROUPS] = {36, 56, 81, 100, 118};

CString Number(int n) { return CString(std::to_string(n)); }

int Bit(int ch) { return 1 << ch; }

void SetFaces(CBitButton& btn, const Face& f)
{
    const UINT normal = g_bChinese ? f.normalCn : f.normalEn;
    const UINT hot = g_bChinese ? f.hotCn : f.hotEn;
    btn.SetBitmaps(normal, hot, hot, 0, 0, 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The list

BOOL CLinkList::Create(const RECT& rect, CWnd* pParent, UINT nID)
{
    return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pParent, nID);
}

void CLinkList::SetColumns(const CString& first, int firstWidth, const CString& second, int secondWidth)
{
    m_strHeader[0] = first;
    m_strHeader[1] = second;
    m_nWidth[0] = firstWidth;
    m_nWidth[1] = secondWidth;
    Changed();
}

void CLinkList::InsertRow(int i, const CString& number, const CString& name)
{
    i = std::clamp(i, 0, GetCount());
    m_rows.insert(m_rows.begin() + i, Row{number, name, false});
    Changed();
}

void CLinkList::DeleteRow(int i)
{
    if (i < 0 || i >= GetCount())
        return;
    m_rows.erase(m_rows.begin() + i);
    m_nAnchor = -1;
    Changed();
}

void CLinkList::DeleteAll()
{
    m_rows.clear();
    m_nAnchor = -1;
    Changed();
}

void CLinkList::SetNumber(int i, const CString& number)
{
    if (i >= 0 && i < GetCount()) {
        m_rows[size_t(i)].number = number;
        Changed();
    }
}

void CLinkList::SetSelected(int i, bool bSelected)
{
    if (i >= 0 && i < GetCount()) {
        m_rows[size_t(i)].selected = bSelected;
        Changed();
    }
}

int CLinkList::RowAt(CPoint pt) const
{
    if (pt.y < kHeaderHeight)
        return -1;
    const int row = (pt.y - kHeaderHeight) / kRowHeight;
    return row < GetCount() ? row : -1;
}

void CLinkList::Changed()
{
    if (GetSafeHwnd())
        Invalidate();
}

void CLinkList::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    const int row = RowAt(point);
    if (nFlags & MK_CONTROL) {
        if (row >= 0)
            m_rows[size_t(row)].selected = !m_rows[size_t(row)].selected;
    } else if ((nFlags & MK_SHIFT) && m_nAnchor >= 0 && row >= 0) {
        const int lo = std::min(m_nAnchor, row);
        const int hi = std::max(m_nAnchor, row);
        for (int i = 0; i < GetCount(); ++i)
            m_rows[size_t(i)].selected = i >= lo && i <= hi;
    } else {
        for (Row& r : m_rows)
            r.selected = false;
        if (row >= 0)
            m_rows[size_t(row)].selected = true;
        m_nAnchor = row;
    }
    Changed();
    NMHDR hdr{};
    SendNotify(this, &hdr, LINK_LIST_CLICK);
}

void CLinkList::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, kListBack);
    CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
    dc.SetBkMode(TRANSPARENT);
    CPen grid;
    grid.CreatePen(PS_SOLID, 1, kGridLine);
    CPen* oldPen = dc.SelectObject(&grid);

    const int x1 = m_nWidth[0];
    const int x2 = m_nWidth[0] + m_nWidth[1];
    dc.FillSolidRect(0, 0, rc.Width(), kHeaderHeight, kHeaderBack);
    dc.SetTextColor(kListText);
    CRect cell(0, 0, x1, kHeaderHeight);
    dc.DrawText(m_strHeader[0], &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    cell = CRect(x1 + 4, 0, x2, kHeaderHeight);
    dc.DrawText(m_strHeader[1], &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE);

    for (int i = 0; i < GetCount(); ++i) {
        const Row& r = m_rows[size_t(i)];
        const int top = kHeaderHeight + i * kRowHeight;
        if (r.selected)
            dc.FillSolidRect(0, top, x2, kRowHeight, kSelectedBack);
        dc.SetTextColor(r.selected ? kSelectedText : kListText);
        cell = CRect(0, top, x1, top + kRowHeight);
        dc.DrawText(r.number, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        cell = CRect(x1 + 4, top, x2, top + kRowHeight);
        dc.DrawText(r.name, &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    // Grid lines under the header and every row, and at the column edges.
    const int bottom = kHeaderHeight + GetCount() * kRowHeight;
    for (int y = kHeaderHeight; y <= bottom; y += kRowHeight) {
        dc.MoveTo(0, y);
        dc.LineTo(x2, y);
    }
    for (int x : {x1, x2}) {
        dc.MoveTo(x, 0);
        dc.LineTo(x, bottom);
    }
    dc.SelectObject(oldPen);
    if (oldFont)
        dc.SelectObject(oldFont);
}

// ---------------------------------------------------------------------------------------------
// The dialog

CLink_Dlg::CLink_Dlg(CWnd* pParent) : CDialog(IDD_LINK, pParent)
{
    Units().RegisterTemplate(IDD_LINK, "", 275, 197);
}

CString CLink_Dlg::ChannelName(int ch)
{
    return CString(g_bChinese ? "通道" : "Channel") + Number(ch + 1);
}

int CLink_Dlg::ChannelOfName(const CString& name)
{
    if (name.empty())
        return -1;
    const char last = name.back();
    if (last < '0' || last > '9')
        return -1;
    return last == '0' ? 9 : last - '1';
}

void CLink_Dlg::AttachMasks(int* const pMasks[LINK_DLG_CHANNELS], CWnd* pPage)
{
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i)
        m_pMask[i] = pMasks[i];
    m_pPage = pPage;
}

void CLink_Dlg::AttachStrips(COutRoute_Dlg* const pStrips[LINK_DLG_CHANNELS])
{
    int* masks[LINK_DLG_CHANNELS] = {};
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i)
        masks[i] = pStrips[i] ? &pStrips[i]->m_nLinkMask : nullptr;
    AttachMasks(masks, pStrips[0] ? pStrips[0]->m_pOutputDlg : nullptr);
}

BOOL CLink_Dlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    Units().ApplyFont(this, m_font);
    m_listLeft.Create(Units().Rect(21, 33, 90, 134), this, IDC_LINK_LEFT_LIST);
    m_listRight.Create(Units().Rect(166, 33, 90, 134), this, IDC_LINK_RIGHT_LIST);
    const DWORD btn = WS_CHILD | WS_VISIBLE;  // push buttons: the class draws them
    m_btnJoinLink.Create("", btn, Units().Rect(115, 67, 21, 13), this, IDC_LINK_JOIN);
    m_btnUndo.Create("", btn, Units().Rect(115, 134, 21, 13), this, IDC_LINK_UNDO);
    for (int g = 0; g < LINK_DLG_GROUPS; ++g)
        m_btnGroup[g].Create("", btn, Units().Rect(115, kGroupButtonY[g], 21, 13), this, kLinkGroupButtonIds[g]);
    m_btnOK.Create("", btn, Units().Rect(209, 174, 29, 12), this, IDOK);
    m_stcLeftTitle.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(22, 15, 90, 12), this, IDC_LINK_LEFT_TITLE);
    m_stcRightTitle.Create("", WS_CHILD | WS_VISIBLE, Units().Rect(164, 16, 90, 12), this, IDC_LINK_RIGHT_TITLE);

    ResetState();
    ApplyLanguage();
    FillMatrix();
    BuildGroups();
    FillLists();
    m_strGroup.clear();
    ClearLeftSelection();
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
        m_bRightSel[i] = 0;
        m_bInLeftAtOpen[i] = InLeftList(i);
    }

    if (m_bNewGroup) {
        for (CBitButton& b : m_btnGroup)
            b.ShowWindow(SW_HIDE);
    } else {
        m_btnJoinLink.ShowWindow(SW_HIDE);
        for (int g = 0; g < LINK_DLG_GROUPS; ++g)
            if (!m_bGroupShown[g])
                m_btnGroup[g].ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CLink_Dlg::ResetState()
{
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i)
        m_bLeftSel[i] = 0;
    for (int g = 0; g < LINK_DLG_GROUPS; ++g) {
        m_group[g] = Group{};
        m_bGroupShown[g] = 0;
    }
    m_bChanged = 0;
}

void CLink_Dlg::ApplyLanguage()
{
    SetWindowText(g_bChinese ? "联调设置" : "Joint Debug Settings");
    SetFaces(m_btnJoinLink, {896, 897, 915, 914});
    SetFaces(m_btnUndo, {898, 899, 919, 918});
    for (int g = 0; g < LINK_DLG_GROUPS; ++g) {
        const UINT n = UINT(g + 1);
        SetFaces(m_btnGroup[g], {904 + n, 899 + n, 924 + n, 919 + n});
    }
    SetFaces(m_btnOK, {910, 911, 917, 916});
    m_stcLeftTitle.SetText(g_bChinese ? "可操作通道:" : "Operable channel:");
    m_stcRightTitle.SetText(g_bChinese ? "联调关系:" : "joint debug relations:");
    m_strChannelName = g_bChinese ? "通道名:" : "Channel Name:";
    m_strLinkSet = g_bChinese ? "联调组" : "Link set";
    CFont* font = g_bChinese ? &g_fontListSimSun16 : &g_fontListArial16;
    for (CWnd* w : std::initializer_list<CWnd*>{&m_listLeft, &m_listRight, &m_stcLeftTitle, &m_stcRightTitle})
        w->SetFont(font);
    m_listLeft.SetColumns("ID", 40, m_strChannelName, 104);
    m_listRight.SetColumns(m_strLinkSet, 60, m_strChannelName, 104);
}

void CLink_Dlg::FillMatrix()
{
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
        const int mask = m_pMask[i] ? *m_pMask[i] : Bit(i);
        for (int j = 0; j < LINK_DLG_CHANNELS; ++j)
            m_nMatrix[i][j] = (mask & Bit(j)) ? 1 : 0;
    }
}

bool CLink_Dlg::HasPartners(int ch) const
{
    for (int j = 0; j < LINK_DLG_CHANNELS; ++j)
        if (j != ch && m_nMatrix[ch][j])
            return true;
    return false;
}

int CLink_Dlg::GroupOf(int ch) const
{
    for (int g = 0; g < LINK_DLG_GROUPS; ++g)
        if (m_group[g].bMember[ch])
            return g;
    return -1;
}

void CLink_Dlg::BuildGroups()
{
    int next = 0;
    for (int i = 0; i < LINK_DLG_CHANNELS && next < LINK_DLG_GROUPS; ++i) {
        if (!HasPartners(i) || GroupOf(i) >= 0)
            continue;
        for (int j = 0; j < LINK_DLG_CHANNELS; ++j)
            m_group[next].bMember[j] = m_nMatrix[i][j];
        ++next;
    }
}

void CLink_Dlg::FillLists()
{
    const int c = m_nChannel;
    int left = 0;
    if (m_bNewGroup) {
        const bool alone = !HasPartners(c);
        const CString label = alone ? CString("1") : Number(GroupOf(c) + 1);
        for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
            const bool inSet = alone ? i == c : m_nMatrix[c][i] != 0;
            if (inSet)
                m_listRight.AddRow(label, ChannelName(i));
            else
                m_listLeft.AddRow(Number(++left), ChannelName(i));
        }
        return;
    }
    for (int i = 0; i < LINK_DLG_CHANNELS; ++i) {
        if (HasPartners(i) && m_nMatrix[i][c]) {
            m_listLeft.AddRow(Number(++left), ChannelName(i));
        } else if (HasPartners(i)) {
            const int g = GroupOf(i);
            if (g < 0)
                continue;  // a sixth group cannot be shown: its channels stay out of the lists
            m_listRight.AddRow(Number(g + 1), ChannelName(i));
            m_bGroupShown[g] = 1;
        } else if (i == c) {
            m_listLeft.AddRow(Number(++left), ChannelName(i));
        }
    }
    SortLinkList();
}

void CLink_Dlg::SortLinkList()
{
    std::vector<CLinkList::Row> rows;
    for (int i = 0; i < m_listRight.GetCount(); ++i)
        rows.push_back(m_listRight.GetRow(i));
    std::stable_sort(rows.begin(), rows.end(), [](const CLinkList::Row& a, const CLinkList::Row& b) {
        if (a.number != b.number)
            return a.number < b.number;
        return ChannelOfName(a.name) < ChannelOfName(b.name);
    });
    m_listRight.DeleteAll();
    for (const CLinkList::Row& r : rows)
        m_listRight.AddRow(r.number, r.name);
}

int CLink_Dlg::LeftRowOf(int ch) const
{
    for (int r = 0; r < m_listLeft.GetCount(); ++r)
        if (ChannelOfName(m_listLeft.GetRow(r).name) == ch)
            return r;
    return -1;
}

void CLink_Dlg::OnClickLeftList()
{
    for (int r = 0; r < LINK_DLG_CHANNELS; ++r)
        m_bLeftSel[r] = r < m_listLeft.GetCount() && m_listLeft.GetRow(r).selected ? 1 : 0;
}

void CLink_Dlg::OnClickRightList()
{
    for (int r = 0; r < LINK_DLG_CHANNELS; ++r)
        m_bRightSel[r] = r < m_listRight.GetCount() && m_listRight.GetRow(r).selected ? 1 : 0;
}

void CLink_Dlg::ClearLeftSelection()
{
    for (int r = 0; r < LINK_DLG_CHANNELS; ++r)
        m_bLeftSel[r] = 0;
    for (int r = 0; r < m_listLeft.GetCount(); ++r)
        m_listLeft.SetSelected(r, false);
}

void CLink_Dlg::RenumberLeft()
{
    for (int r = 0; r < m_listLeft.GetCount(); ++r)
        m_listLeft.SetNumber(r, Number(r + 1));
}

BOOL CLink_Dlg::AskPartners(UINT nType)
{
    for (int r = 0; r < m_listLeft.GetCount(); ++r) {
        if (!m_bLeftSel[r])
            continue;
        const CString& rowName = m_listLeft.GetRow(r).name;
        const int g = GroupOf(ChannelOfName(rowName));
        if (g < 0)
            continue;
        std::vector<int> partnerRows;
        CString text = rowName + "与";
        for (int j = 0; j < LINK_DLG_CHANNELS; ++j) {
            if (!m_group[g].bMember[j] || j == ChannelOfName(rowName))
                continue;
            const int pr = LeftRowOf(j);
            if (pr < 0 || m_bLeftSel[pr])
                continue;
            partnerRows.push_back(pr);
            text += ChannelName(j) + " ";
        }
        if (partnerRows.empty())
            continue;
        text += g_bChinese ? "联调，是否添加未选中的联调项？"
                           : " joint debugging, whether to add unselected joint debugging item?";
        const int answer = AfxMessageBox(text, nType, 0);
        if (answer == IDCANCEL && nType == MB_YESNOCANCEL)
            return FALSE;
        if (answer == IDYES)
            for (int pr : partnerRows)
                m_bLeftSel[pr] = 1;
    }
    return TRUE;
}

std::vector<int> CLink_Dlg::TakeFlaggedRows()
{
    std::vector<int> moved;
    for (int r = 0; r < m_listLeft.GetCount(); ++r)
        if (m_bLeftSel[r])
            moved.push_back(ChannelOfName(m_listLeft.GetRow(r).name));
    for (int r = m_listLeft.GetCount() - 1; r >= 0; --r)
        if (r < LINK_DLG_CHANNELS && m_bLeftSel[r])
            m_listLeft.DeleteRow(r);
    std::sort(moved.begin(), moved.end());
    return moved;
}

void CLink_Dlg::OnJoinLink()
{
    if (std::none_of(std::begin(m_bLeftSel), std::end(m_bLeftSel), [](int f) { return f != 0; }))
        return;
    AskPartners(MB_YESNO);
    // The set is relisted in channel order under the label of its first row.
    const CString label = m_listRight.GetCount() > 0 ? m_listRight.GetRow(0).number : CString("1");
    std::vector<int> members;
    for (int r = 0; r < m_listRight.GetCount(); ++r)
        members.push_back(ChannelOfName(m_listRight.GetRow(r).name));
    const std::vector<int> moved = TakeFlaggedRows();
    members.insert(members.end(), moved.begin(), moved.end());
    std::sort(members.begin(), members.end());
    m_listRight.DeleteAll();
    for (int ch : members)
        m_listRight.AddRow(label, ChannelName(ch));
    ClearLeftSelection();
    RenumberLeft();
    m_bChanged = 1;
}

void CLink_Dlg::OnJoinGroup(int nGroup)
{
    if (nGroup < 1 || nGroup > LINK_DLG_GROUPS)
        return;
    if (std::none_of(std::begin(m_bLeftSel), std::end(m_bLeftSel), [](int f) { return f != 0; }))
        return;
    m_strGroup = Number(nGroup);
    if (!AskPartners(MB_YESNOCANCEL))
        return;
    for (int ch : TakeFlaggedRows())
        m_listRight.AddRow(m_strGroup, ChannelName(ch));
    ClearLeftSelection();
    SortLinkList();
    m_bChanged = 1;
}

void CLink_Dlg::OnUndo()
{
    if (!m_bChanged)
        return;
    m_listLeft.DeleteAll();
    m_listRight.DeleteAll();
    ResetState();
    BuildGroups();
    FillLists();
    m_strGroup.clear();
    m_bChanged = 0;
}

void CLink_Dlg::OnOK()
{
    int source = -1;
    if (!m_bNewGroup) {
        const int g = m_strGroup.empty() ? -1 : m_strGroup.back() - '1';
        for (int j = 0; g >= 0 && g < LINK_DLG_GROUPS && j < LINK_DLG_CHANNELS && source < 0; ++j)
            if (m_group[g].bMember[j])
                source = j;
        if (source < 0) {
            EndDialog(IDOK);
            return;
        }
    }
    // Channels left behind drop the channels that moved away from their group.
    for (int r = 0; r < m_listLeft.GetCount(); ++r) {
        const int k = ChannelOfName(m_listLeft.GetRow(r).name);
        for (int j = 0; j < LINK_DLG_CHANNELS; ++j)
            if (j != k && m_nMatrix[k][j] && !InLeftList(j) && m_pMask[k])
                *m_pMask[k] &= ~Bit(j);
    }
    int mask = 0;
    std::vector<int> members;
    for (int r = 0; r < m_listRight.GetCount(); ++r) {
        const CLinkList::Row& row = m_listRight.GetRow(r);
        if (m_bNewGroup || row.number == m_strGroup) {
            const int ch = ChannelOfName(row.name);
            members.push_back(ch);
            mask |= Bit(ch);
        }
    }
    for (int ch : members)
        if (m_pMask[ch])
            *m_pMask[ch] = mask;
    // A channel that left its group for a group that is not applied now stands alone, so no
    // mask names a channel that does not name it back.
    for (int ch = 0; ch < LINK_DLG_CHANNELS; ++ch)
        if (m_bInLeftAtOpen[ch] && !InLeftList(ch) && !(mask & Bit(ch)) && m_pMask[ch])
            *m_pMask[ch] = Bit(ch);
    if (m_pPage)
        m_pPage->PostMessage(WM_LINK_GROUPS_CHANGED, WPARAM(m_bNewGroup ? m_nChannel : source),
                             LPARAM(m_bNewGroup ? -1 : m_nChannel));
    EndDialog(IDOK);
}

BOOL CLink_Dlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED) {
        if (id == IDC_LINK_JOIN) {
            OnJoinLink();
            return TRUE;
        }
        if (id == IDC_LINK_UNDO) {
            OnUndo();
            return TRUE;
        }
        for (int g = 0; g < LINK_DLG_GROUPS; ++g)
            if (id == kLinkGroupButtonIds[g]) {
                OnJoinGroup(g + 1);
                return TRUE;
            }
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CLink_Dlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lParam) {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->code == LINK_LIST_CLICK) {
            if (hdr->idFrom == IDC_LINK_LEFT_LIST)
                OnClickLeftList();
            else if (hdr->idFrom == IDC_LINK_RIGHT_LIST)
                OnClickRightList();
            return 0;
        }
    }
    // Clicks on the dialog's own background mean nothing.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        return 0;
    return CDialog::WindowProc(message, wParam, lParam);
}
