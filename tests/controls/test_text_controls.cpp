// Small text controls: the transparent label, the hyperlink, the name field and the password
// field.
#include "ControlTestKit.h"

#include "CChEnEdit.h"
#include "CHyLink.h"
#include "CPassWordEdit.h"
#include "CStatic.h"
#include "CTransparentStatic.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

TEST(StaticText, DrawTextFlagsFollowTheStyle)
{
    struct Case {
        DWORD style;
        UINT format;
    };
    const Case cases[] = {
        {SS_LEFT, DT_WORDBREAK},
        {SS_CENTER, DT_CENTER | DT_WORDBREAK},
        {SS_RIGHT, DT_RIGHT | DT_WORDBREAK},
        {SS_CENTER | SS_CENTERIMAGE, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {SS_NOPREFIX, DT_NOPREFIX | DT_WORDBREAK},
        {SS_ENDELLIPSIS, DT_WORD_ELLIPSIS | DT_END_ELLIPSIS},
        {SS_PATHELLIPSIS, DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS},
        {SS_WORDELLIPSIS, DT_WORD_ELLIPSIS | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS},
        {SS_LEFTNOWORDWRAP, 0},  // left, and no word break
        {SS_NOTIFY | SS_SUNKEN, DT_WORDBREAK},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStatic::DrawTextFormatFromStyle(c.style), c.format) << std::hex << c.style;
}

namespace {

class CTextCounter : public CTransparentStatic {
public:
    int m_nSetText = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
            ++m_nSetText;
        return CTransparentStatic::WindowProc(message, wParam, lParam);
    }
};

bool HasColour(const QImage& img, COLORREF clr)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (PixelOf(img, x, y) == clr)
                return true;
    return false;
}

}  // namespace

TEST(TransparentStatic, SetTextTouchesTheWindowOnlyForANewText)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 200, 40));
    CTextCounter label;
    ASSERT_TRUE(label.Create("shown", WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 20), &stage, 1875));
    label.SetText("");  // the stored text starts empty: nothing happens
    EXPECT_EQ(label.m_nSetText, 0);
    EXPECT_EQ(label.GetWindowText(), "shown");
    label.SetText("VORN-QK1.01");
    EXPECT_EQ(label.m_nSetText, 1);
    label.SetText("VORN-QK1.01");
    EXPECT_EQ(label.m_nSetText, 1);
}

TEST(TransparentStatic, NewTextRepaintsTheParentUnderItAtOnceAndLetsItShowThrough)
{
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 200, 40));
    CTransparentStatic label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 5, 190, 35), &stage, 1875));
    label.SetTextColor(RGB(0, 255, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(stage.GetWidget()));
    Pump();
    stage.Forget();
    label.SetText("WWWW");
    EXPECT_GT(stage.Count(WM_PAINT), 0);  // before any event ran
    const QImage img = GrabOf(stage).copy(10, 5, 180, 30);
    EXPECT_TRUE(HasColour(img, RGB(0, 255, 0)));
    EXPECT_EQ(PixelOf(img, 170, 25), kStageColour);
}

TEST(HyLink, HoverHoldsThePointerAndAClickOpensTheText)
{
    EnsureSharedGdiObjects();  // the dialog brush it answers with
    std::vector<std::pair<CString, CString>> opened;
    const ShellOpener previous = SetShellOpener([&](const CString& verb, const CString& file) {
        opened.emplace_back(verb, file);
        return false;  // nothing ever opens from a test
    });
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 200, 40));
    CHyLink link;
    ASSERT_TRUE(link.Create("www.example.invalid", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(0, 0, 180, 20), &stage,
                            1895));
    EXPECT_EQ(link.CurrentTextColor(), RGB(0, 0, 0));
    MoveTo(link, CPoint(5, 5));
    EXPECT_TRUE(link.GetHover());
    EXPECT_EQ(CWnd::GetCapture(), &link);
    EXPECT_EQ(link.CurrentTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(GrabOf(link), 179, 1), RGB(229, 229, 229));
    EXPECT_EQ(link.GetWidget()->cursor().shape(), Qt::BitmapCursor);
    // The held pointer reports moves outside: the link lets go.
    MoveTo(link, CPoint(190, 5));
    EXPECT_FALSE(link.GetHover());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    MoveTo(link, CPoint(5, 5));
    Click(link, CPoint(5, 5));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, "open");
    EXPECT_EQ(opened[0].second, "www.example.invalid");
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    link.SetWindowText("");
    Click(link, CPoint(5, 5));
    ASSERT_EQ(opened.size(), 2u);  // an empty text is still handed over
    EXPECT_EQ(opened[1].second, "");
    SetShellOpener(previous);
}

TEST(ChEnEdit, AlignmentPassPutsDoubleByteCharactersOnEvenOffsets)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"a中", "a 中"},
        {"ab中c文", "ab中c 文"},
        {"中a文", "中a 文"},
        {"abc", "abc"},
        {"中文", "中文"},
        {"a中b文", "a 中b 文"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CChEnEdit::AlignDoubleByte(c.in), c.out) << c.in;
}

namespace {

class ChEnEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(stage.Make(100, 100, 200, 60));
        QWidget* w = stage.GetWidget();
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 150, 30), &stage, 2726));
        ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(10, 35, 150, 55), &stage, 1));
        edit.LimitText(13);
        edit.SetDbcsAlign(TRUE);
    }
    void Type(const char* utf8)
    {
        QInputMethodEvent e;
        e.setCommitString(QString::fromUtf8(utf8));
        QCoreApplication::sendEvent(edit.GetWidget(), &e);
    }
    CStage stage;
    CChEnEdit edit;
    CEdit other;
};

}  // namespace

TEST_F(ChEnEditTest, TypingADoubleByteCharacterAfterAnOddByteCountPutsABlankFirst)
{
    Type("a");
    Type("中");
    EXPECT_EQ(edit.GetWindowText(), "a 中");
    edit.SetWindowText("");
    Type("ab中");
    EXPECT_EQ(edit.GetWindowText(), "ab中");
    edit.SetDbcsAlign(FALSE);
    edit.SetWindowText("");
    Type("a中");
    EXPECT_EQ(edit.GetWindowText(), "a中");
}

TEST_F(ChEnEditTest, TheLimitCountsBytesOfTheDeviceEncoding)
{
    Type("中文字体好ab");  // 5 x 2 + 2 = 12 bytes
    stage.Forget();
    Type("中");  // would need 14
    EXPECT_EQ(edit.LineLength(), 12);
    EXPECT_EQ(edit.GetWindowText(), "中文字体好ab");
    ASSERT_EQ(stage.Count(WM_COMMAND), 1);
    EXPECT_EQ(stage.All(WM_COMMAND)[0].wParam, MAKEWPARAM(2726, EN_MAXTEXT));
    Type("c");  // 13 fits
    EXPECT_EQ(edit.LineLength(), 13);
    // After an odd count the blank goes in first and may take the last byte.
    edit.SetWindowText("中文字体好a");
    edit.SetSel(6, 6);  // after the sixth character
    Type("文");
    EXPECT_EQ(edit.GetWindowText(), "中文字体好a ");
}

TEST_F(ChEnEditTest, LosingTheFocusAlignsAPastedText)
{
    edit.SetDbcsAlign(FALSE);
    edit.SetFocus();
    Type("ab中c文");  // as if pasted: no blanks on the way in
    EXPECT_EQ(edit.GetWindowText(), "ab中c文");
    edit.SetDbcsAlign(TRUE);
    other.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return CWnd::GetFocus() == &other; }));
    EXPECT_EQ(edit.GetWindowText(), "ab中c 文");
    edit.SetFocus();
    edit.SetWindowText("plain");
    other.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return CWnd::GetFocus() == &other; }));
    EXPECT_EQ(edit.GetWindowText(), "plain");
}

TEST(PassWordEdit, TakesOnlyBackspaceDigitsAndLetters)
{
    for (UINT c = 0; c < 256; ++c) {
        const bool allowed = c == 8 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        EXPECT_EQ(CPassWordEdit::IsAllowedChar(c), allowed) << c;
    }
    CStage stage;
    ASSERT_TRUE(stage.Make(100, 100, 200, 40));
    CPassWordEdit pw;
    ASSERT_TRUE(pw.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 20), &stage, 1));
    for (UINT c : {UINT('a'), UINT(' '), UINT('-'), UINT('1'), UINT('{'), UINT(0x4E2D), UINT('Z'), 8u})
        pw.SendMessage(WM_CHAR, c, 1);
    EXPECT_EQ(pw.GetWindowText(), "a1");
}
