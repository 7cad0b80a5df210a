// Menus and the program's shared drawing objects.
#include "TestWindows.h"

#include "CMenu.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "SpeakerTypeMenus.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

// One leaf of the speaker-type tree: the positions from the untitled popup down, its command id
// and its texts.
struct SpeakerLeaf {
    std::vector<int> path;
    UINT id;
    const char* en;
    const char* cn;
};

std::vector<SpeakerLeaf> SpeakerLeaves()
{
    const char* waysEn[] = {"Tweeter", "Midrange", "Woofer", "Midrange Tweeter", "Midrange Woofer", "Full"};
    const char* waysCn[] = {"高频", "中频", "低频", "中高频", "中低频", "全频"};
    std::vector<SpeakerLeaf> leaves = {{{0}, 4100, "NULL", "空"}};
    for (int side = 0; side < 2; ++side)
        for (int w = 0; w < 6; ++w)
            leaves.push_back({{1, side, w}, UINT(4101 + side * 6 + w), waysEn[w], waysCn[w]});
    const int three[] = {0, 2, 5};  // tweeter, woofer, full
    for (int side = 0; side < 2; ++side)
        for (int w = 0; w < 3; ++w)
            leaves.push_back({{2, side, w}, UINT(4113 + side * 3 + w), waysEn[three[w]], waysCn[three[w]]});
    for (int w = 0; w < 3; ++w)
        leaves.push_back({{3, w}, UINT(4119 + w), waysEn[three[w]], waysCn[three[w]]});
    leaves.push_back({{4, 0}, 4122, "L-Subwoofer", "左超低"});
    leaves.push_back({{4, 1}, 4123, "R-Subwoofer", "右超低"});
    leaves.push_back({{4, 2}, 4124, "Subwoofer", "超低"});
    return leaves;
}

struct PopupName {
    std::vector<int> path;
    const char* en;
    const char* cn;
};

const PopupName kPopups[] = {
    {{1}, "Front", "前置"}, {{1, 0}, "Left", "左"},  {{1, 1}, "Right", "右"}, {{2}, "Rear", "后置"},
    {{2, 0}, "Left", "左"}, {{2, 1}, "Right", "右"}, {{3}, "Center", "中置"}, {{4}, "Subwoofer", "超低"},
};

// The menu that holds the item at the path, and the item's position in it.
CMenu* Holder(CMenu& bar, const std::vector<int>& path, int* pos)
{
    CMenu* m = bar.GetSubMenu(0);
    for (size_t i = 0; m && i + 1 < path.size(); ++i)
        m = m->GetSubMenu(path[i]);
    *pos = path.back();
    return m;
}

void ExpectSpeakerTree(CMenu& bar, bool chinese)
{
    ASSERT_EQ(bar.GetMenuItemCount(), 1);
    CString title;
    bar.GetMenuString(0, title, MF_BYPOSITION);
    EXPECT_EQ(title, "");
    CMenu* top = bar.GetSubMenu(0);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->GetMenuItemCount(), 5);
    EXPECT_EQ(top->GetSubMenu(1)->GetMenuItemCount(), 2);
    EXPECT_EQ(top->GetSubMenu(2)->GetMenuItemCount(), 2);
    EXPECT_EQ(top->GetSubMenu(3)->GetMenuItemCount(), 3);
    EXPECT_EQ(top->GetSubMenu(4)->GetMenuItemCount(), 3);
    for (const PopupName& p : kPopups) {
        int pos = 0;
        CMenu* m = Holder(bar, p.path, &pos);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->GetMenuItemID(pos), 0xFFFFFFFFu);
        CString text;
        m->GetMenuString(UINT(pos), text, MF_BYPOSITION);
        EXPECT_EQ(text, chinese ? p.cn : p.en);
    }
    const auto leaves = SpeakerLeaves();
    EXPECT_EQ(leaves.size(), 25u);
    for (const SpeakerLeaf& leaf : leaves) {
        int pos = 0;
        CMenu* m = Holder(bar, leaf.path, &pos);
        ASSERT_NE(m, nullptr) << leaf.id;
        EXPECT_EQ(m->GetMenuItemID(pos), leaf.id);
        CString text;
        bar.GetMenuString(leaf.id, text, MF_BYCOMMAND);
        EXPECT_EQ(text, chinese ? leaf.cn : leaf.en) << leaf.id;
    }
}

}  // namespace

TEST(SpeakerTypeMenu, BothLanguagesHaveTheSameTreeIdsAndTheirTexts)
{
    RegisterMenuResources();
    CMenu cn, en;
    ASSERT_TRUE(cn.LoadMenu(IDR_MENU_SPEAKER_TYPE_CN));
    ASSERT_TRUE(en.LoadMenu(IDR_MENU_SPEAKER_TYPE_EN));
    {
        SCOPED_TRACE("Chinese 106");
        ExpectSpeakerTree(cn, true);
    }
    {
        SCOPED_TRACE("English 107");
        ExpectSpeakerTree(en, false);
    }
}

TEST(SpeakerTypeMenu, StartsChineseAndEachLanguageChangeLeavesExactlyOneMenu)
{
    const int saved = g_bChinese;
    g_bChinese = 0;
    g_menuSpeakerType.DestroyMenu();
    const int before = CMenu::LiveMenuCount();
    CreateSharedGdiObjects();
    CString text;
    g_menuSpeakerType.GetMenuString(4100, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "空");  // menu 106 at start, whatever the language
    const int one = CMenu::LiveMenuCount();
    EXPECT_EQ(one - before, 10);  // bar, popup, front, rear (each with left and right), center, sub

    g_bChinese = 0;
    ReloadSpeakerTypeMenu();
    g_menuSpeakerType.GetMenuString(4100, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "NULL");
    g_bChinese = 1;
    ReloadSpeakerTypeMenu();
    g_menuSpeakerType.GetMenuString(4124, text, MF_BYCOMMAND);
    EXPECT_EQ(text, "超低");
    EXPECT_EQ(CMenu::LiveMenuCount(), one);
    g_bChinese = saved;
}

struct FontCase {
    CFont* font;
    const char* face;
    int height;
    int weight;
};

TEST(SharedGdiObjects, FontsAndBrushAreMadeAsTheProgramNamesThem)
{
    CreateSharedGdiObjects();
    const FontCase fonts[] = {
        {&g_fontArial16, "Arial", 16, 400},      {&g_fontArial108, "Arial", 108, 400},
        {&g_fontArial14, "Arial", 14, 400},      {&g_fontArial12, "Arial", 12, 400},
        {&g_fontListSimSun16, "宋体", 16, 400},  {&g_fontListArial16, "Arial", 16, 400},
        {&g_fontArialHeavy16, "Arial", 16, 1200},
    };
    for (const FontCase& c : fonts) {
        LOGFONT lf{};
        ASSERT_TRUE(c.font->GetLogFont(&lf)) << c.face;
        EXPECT_STREQ(lf.lfFaceName, c.face);
        EXPECT_EQ(lf.lfHeight, c.height);
        EXPECT_EQ(lf.lfWeight, c.weight);
        EXPECT_EQ(lf.lfWidth, 0);
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
        EXPECT_EQ(lf.lfPitchAndFamily, FF_SWISS);
        EXPECT_FALSE(lf.lfItalic || lf.lfUnderline || lf.lfStrikeOut);
    }
    LOGBRUSH lb{};
    ASSERT_TRUE(g_brushDlgBack.GetLogBrush(&lb));
    EXPECT_EQ(lb.lbStyle, BS_SOLID);
    EXPECT_EQ(lb.lbColor, RGB(227, 228, 238));
}

TEST(Menus, ItemsSubMenusAndTheirOwnership)
{
    const int before = CMenu::LiveMenuCount();
    {
        CMenu popup;
        ASSERT_TRUE(popup.CreatePopupMenu());
        popup.AppendMenu(MF_STRING, 10, "One");
        popup.AppendMenu(MF_SEPARATOR);
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, 20, "Inner");
        ASSERT_TRUE(popup.AppendMenu(MF_POPUP, UINT_PTR(sub.Detach()), "Sub"));
        EXPECT_EQ(popup.GetMenuItemCount(), 3);
        EXPECT_EQ(popup.GetMenuItemID(0), 10u);
        EXPECT_EQ(popup.GetMenuItemID(1), 0u);
        EXPECT_EQ(popup.GetMenuItemID(2), 0xFFFFFFFFu);
        EXPECT_EQ(popup.GetSubMenu(2)->GetMenuItemID(0), 20u);

        EXPECT_EQ(popup.CheckMenuItem(20, MF_CHECKED), MF_UNCHECKED);
        EXPECT_EQ(popup.GetMenuState(20, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
        EXPECT_EQ(popup.EnableMenuItem(10, MF_GRAYED), MF_ENABLED);
        EXPECT_EQ(popup.GetMenuState(10, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
        EXPECT_EQ(popup.CheckMenuItem(999, MF_CHECKED), 0xFFFFFFFFu);

        EXPECT_EQ(CMenu::LiveMenuCount(), before + 2);
        EXPECT_TRUE(popup.DeleteMenu(2, MF_BYPOSITION));  // the sub-menu goes with its item
        EXPECT_EQ(CMenu::LiveMenuCount(), before + 1);
        EXPECT_FALSE(CMenu().LoadMenu(65000));  // no such template
    }
    EXPECT_EQ(CMenu::LiveMenuCount(), before);
}

TEST(Menus, TrackPopupMenuReturnsTheChosenCommand)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "o", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(MF_STRING | MF_GRAYED, 31, "Grayed");
    popup.AppendMenu(MF_STRING, 32, "Second");
    QTimer::singleShot(0, [] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            return;
        QTest::keyClick(shown, Qt::Key_Down);  // the grayed item is skipped
        QTest::keyClick(shown, Qt::Key_Return);
    });
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 32);

    QTimer::singleShot(0, [] {
        if (QWidget* shown = QApplication::activePopupWidget())
            QTest::keyClick(shown, Qt::Key_Escape);
    });
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0);

    QTimer::singleShot(0, [] {
        QWidget* shown = QApplication::activePopupWidget();
        if (!shown)
            return;
        QTest::keyClick(shown, Qt::Key_Down);
        QTest::keyClick(shown, Qt::Key_Return);
    });
    EXPECT_TRUE(popup.TrackPopupMenu(0, 10, 10, &owner));
    ASSERT_TRUE(WaitUntil([&] { return owner.Last(WM_COMMAND) != nullptr; }));
    EXPECT_EQ(LOWORD(owner.Last(WM_COMMAND)->wParam), 32);
}
