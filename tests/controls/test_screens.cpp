// Pictures of every control in each of its states, in English and in Chinese, written to
// <build>/screens/: one sheet per control (states down, languages across, twice the size) and
// each picture on its own under <build>/screens/<control>/. The checks here make sure every
// state was drawn and that states and languages look different where they should.
#include "ScreenSheet.h"

#include "CBitButton.h"
#include "CBtnPng.h"
#include "CButtonRadio.h"
#include "CChEnEdit.h"
#include "CComBoxBtn.h"
#include "CDropBtn.h"
#include "CDropWnd.h"
#include "CHyLink.h"
#include "CMuteStatic.h"
#include "CPassWordEdit.h"
#include "CSLamp.h"
#include "CShow_Link.h"
#include "CTransparentStatic.h"
#include "CXPButton.h"
#include "CxSkinButton.h"
#include "GdiGlobals.h"
#include "Globals.h"
#include "Texts.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QInputMethodEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>

TEST_F(ScreensTest, BitmapButton)
{
    Sheet sheet("bitbutton");
    CFont font;
    font.CreateFont(14, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Arial");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CBitButton b;
        ASSERT_TRUE(b.Create(lang ? "静音" : "Mute", WS_CHILD | WS_VISIBLE, CRect(20, 20, 30, 30), &stage, 2001));
        b.SetBitmaps(Faces::kBit[0], Faces::kBit[1], Faces::kBit[2], Faces::kBitChecked[0], Faces::kBitChecked[1],
                     Faces::kBitChecked[2]);
        b.SetDisabledBitmaps(Faces::kBitDisabled[0], Faces::kBitDisabled[1]);
        b.SetHighlightBitmaps(Faces::kBitHighlight[0], Faces::kBitHighlight[1]);
        const COLORREF light = RGB(232, 236, 241), dark = RGB(8, 26, 30);
        b.SetTextColors(light, light, RGB(53, 201, 219), dark, dark, dark);
        b.SetFonts(&font, &font, &font, &font, &font, &font);
        b.SetDisabledTextColor(RGB(107, 115, 125));
        b.SetDisabledFont(&font);
        for (bool checked : {false, true}) {
            const std::string c = checked ? "checked " : "";
            b.SetCheck(checked);
            b.SetHover(FALSE);
            sheet.Add(c + "normal", lang, Shot(b));
            b.SetHighlight(TRUE);
            sheet.Add(c + "highlight", lang, Shot(b));
            b.SetHighlight(FALSE);
            MoveTo(b, CPoint(5, 5));
            sheet.Add(c + "hover", lang, Shot(b));
            Press(b, CPoint(5, 5));
            sheet.Add(c + "pressed", lang, Shot(b));
            Release(b, CPoint(5, 5));
            Leave(b);
            b.EnableWindow(FALSE);
            sheet.Add(c + "disabled", lang, Shot(b));
            b.EnableWindow(TRUE);
        }
    }
    EXPECT_NE(sheet.Get("normal", 0), sheet.Get("normal", 1));
    EXPECT_NE(sheet.Get("normal", 0), sheet.Get("hover", 0));
    EXPECT_NE(sheet.Get("normal", 0), sheet.Get("checked normal", 0));
    EXPECT_NE(sheet.Get("hover", 0), sheet.Get("pressed", 0));
}

TEST_F(ScreensTest, PngButton)
{
    Sheet sheet("btnpng");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CBtnPng b;
        ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 30, 30), &stage, 3001));
        b.SetPngImages(Faces::kPng[0], Faces::kPng[1], Faces::kPng[2]);
        b.SetCheckedPngImages(Faces::kPng[3], Faces::kPng[4], Faces::kPng[5]);
        b.SetDisabledPngImages(Faces::kPngDisabled[0], Faces::kPngDisabled[1]);
        b.SetChinesePngImages(Faces::kPngChinese[0], Faces::kPngChinese[1], Faces::kPngChinese[2],
                              Faces::kPngChinese[3], Faces::kPngChinese[4], Faces::kPngChinese[5]);
        for (bool checked : {false, true}) {
            const std::string c = checked ? "checked " : "";
            b.SetCheck(checked);
            sheet.Add(c + "normal", lang, Shot(b));
            b.SendMessage(WM_MOUSEHOVER);
            sheet.Add(c + "hover", lang, Shot(b));
            Press(b, CPoint(5, 5));
            sheet.Add(c + "pressed", lang, Shot(b));
            Release(b, CPoint(5, 5));
            Leave(b);
            b.EnableWindow(FALSE);
            sheet.Add(c + "disabled", lang, Shot(b));
            b.EnableWindow(TRUE);
        }
    }
    EXPECT_NE(sheet.Get("normal", 0), sheet.Get("normal", 1));
    EXPECT_NE(sheet.Get("checked hover", 0), sheet.Get("checked hover", 1));
    EXPECT_EQ(sheet.Get("disabled", 0), sheet.Get("disabled", 1));  // one disabled pair for both
}

TEST_F(ScreensTest, PictureButton)
{
    Sheet sheet("xpbutton");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CXPButton b;
        ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(20, 20, 30, 30), &stage, 1413));
        // The connect button as the main view sets it (only the three checked ids).
        struct Look {
            const char* name;
            UINT cn[3];
            UINT en[3];
        };
        const Look looks[] = {{"connect linked", {8741, 8750, 8750}, {8743, 8752, 8752}},
                              {"connect not linked", {8751, 8740, 8740}, {8753, 8742, 8742}}};
        for (const Look& look : looks) {
            const UINT* ids = lang ? look.cn : look.en;
            b.SetBitmaps(ids[0], ids[1], ids[2], 0, 0, 0);
            sheet.Add(std::string(look.name) + " normal", lang, Shot(b));
            MoveTo(b, CPoint(5, 5));
            sheet.Add(std::string(look.name) + " hover", lang, Shot(b));
            Press(b, CPoint(5, 5));
            sheet.Add(std::string(look.name) + " pressed", lang, Shot(b));
            Release(b, CPoint(5, 5));
            Leave(b);
        }
        b.SetBitmaps(Faces::kXpChecked[0], Faces::kXpChecked[1], Faces::kXpChecked[2], Faces::kXpUnchecked[0],
                     Faces::kXpUnchecked[1], Faces::kXpUnchecked[2]);
        b.SetSelectedBitmaps(Faces::kXpSelected[0], Faces::kXpSelected[1]);
        b.SetDisabledBitmaps(Faces::kXpDisabled[0], Faces::kXpDisabled[1]);
        for (bool checked : {true, false}) {
            const std::string c = checked ? "checked " : "unchecked ";
            b.SetCheck(checked);
            sheet.Add(c + "normal", lang, Shot(b));
            MoveTo(b, CPoint(5, 5));
            sheet.Add(c + "hover", lang, Shot(b));
            Press(b, CPoint(5, 5));
            sheet.Add(c + "pressed", lang, Shot(b));
            Release(b, CPoint(5, 5));
            Leave(b);
            b.SetSelected(TRUE);
            sheet.Add(c + "selected", lang, Shot(b));
            b.SetSelected(FALSE);
            b.SetDisabled(TRUE);
            sheet.Add(c + "disabled", lang, Shot(b));
            b.SetDisabled(FALSE);
        }
    }
    EXPECT_NE(sheet.Get("connect linked normal", 0), sheet.Get("connect linked normal", 1));
    EXPECT_NE(sheet.Get("connect linked normal", 0), sheet.Get("connect not linked normal", 0));
    EXPECT_NE(sheet.Get("connect linked normal", 0), sheet.Get("connect linked hover", 0));
}

TEST_F(ScreensTest, SkinAndRadioButtons)
{
    Sheet sheet("skin_radio");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CxSkinButton s;
        ASSERT_TRUE(s.Create(lang ? "皮肤" : "Skin", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(20, 20, 100, 46),
                             &stage, 1837));
        s.SetSkin(Faces::kSkin[0], Faces::kSkin[1], Faces::kSkin[2], Faces::kSkin[3], Faces::kSkin[4],
                  Faces::kSkin[5], CxSkinButton::DRAW_STRETCH, 0, 4);
        s.SetTextColor(RGB(232, 236, 241));
        sheet.Add("skin normal", lang, Shot(s));
        MoveTo(s, CPoint(40, 13));
        sheet.Add("skin over", lang, Shot(s));
        Press(s, CPoint(40, 13));
        sheet.Add("skin down", lang, Shot(s));
        Release(s, CPoint(40, 13));
        Leave(s);
        sheet.Add("skin checked", lang, Shot(s));
        s.SendMessage(BM_SETCHECK, BST_UNCHECKED);
        s.SetFocus();
        sheet.Add("skin focus", lang, Shot(s));
        s.EnableWindow(FALSE);
        sheet.Add("skin disabled", lang, Shot(s));
        s.DestroyWindow();

        for (DWORD type : {BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON}) {
            CButtonRadio r;
            const char* caption = lang ? "左声道" : "Left channel";
            ASSERT_TRUE(r.Create(caption, WS_CHILD | WS_VISIBLE | type, CRect(20, 20, 140, 40), &stage, 2));
            r.SetTextColor(RGB(232, 236, 241));
            r.SetFont(&g_fontArial14);
            const std::string kind = type == BS_AUTOCHECKBOX ? "check box " : "radio ";
            sheet.Add(kind + "off", lang, Shot(r));
            r.SetCheck(BST_CHECKED);
            sheet.Add(kind + "on", lang, Shot(r));
        }
    }
    EXPECT_NE(sheet.Get("skin normal", 0), sheet.Get("skin down", 0));
    EXPECT_NE(sheet.Get("radio off", 0), sheet.Get("radio on", 0));
    EXPECT_NE(sheet.Get("radio on", 0), sheet.Get("radio on", 1));
}

TEST_F(ScreensTest, StatusIndicators)
{
    Sheet sheet("indicators");
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CShow_Link link;
        ASSERT_TRUE(link.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 260, 44), &stage, 2776));
        link.SetTextFont(&g_fontArial16);
        link.SetText((lang ? g_strNotConnectedCn : g_strNotConnectedEn).c_str());
        link.StartBlink();
        sheet.Add("link blinking dark phase", lang, Shot(link));
        link.SendMessage(WM_TIMER, SHOWLINK_BLINK_TIMER);
        sheet.Add("link blinking red phase", lang, Shot(link));
        link.StopBlink();
        link.SetText((lang ? g_strConnectedCn : g_strConnectedEn).c_str());
        sheet.Add("link linked", lang, Shot(link));
        link.DestroyWindow();

        CSLamp lamp;
        ASSERT_TRUE(lamp.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 176, 32), &stage, 1));
        lamp.CalcLayout();
        sheet.Add("lamp new", lang, Shot(lamp));
        for (BYTE level : {BYTE(0x00), BYTE(0x05), BYTE(0x49), BYTE(0x79)}) {
            lamp.SetLevel(level);
            char name[32];
            snprintf(name, sizeof name, "lamp 0x%02X", level);
            sheet.Add(name, lang, Shot(lamp));
        }
        lamp.DestroyWindow();

        CMuteStatic mute;
        ASSERT_TRUE(mute.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 80, 44), &stage, 1));
        sheet.Add("on-off field on", lang, Shot(mute));
        mute.SetState(0);
        sheet.Add("on-off field off", lang, Shot(mute));
    }
    EXPECT_NE(sheet.Get("link linked", 0), sheet.Get("link linked", 1));
    EXPECT_NE(sheet.Get("link blinking dark phase", 0), sheet.Get("link blinking red phase", 0));
    EXPECT_NE(sheet.Get("lamp 0x05", 0), sheet.Get("lamp 0x49", 0));
}

TEST_F(ScreensTest, SmallTextControls)
{
    Sheet sheet("text_controls");
    const ShellOpener previous = SetShellOpener([](const CString&, const CString&) { return false; });
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CTransparentStatic label;
        ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, CRect(20, 20, 330, 40),
                                 &stage, 1875));
        label.SetFont(&g_fontArial16);
        label.SetTextColor(RGB(232, 236, 241));
        label.SetText((lang ? g_strSoftwareVersionCn : g_strSoftwareVersionEn).c_str());
        sheet.Add("transparent label", lang, Shot(label));
        label.DestroyWindow();

        CHyLink link;
        ASSERT_TRUE(link.Create(lang ? "网址 www.example.invalid" : "www.example.invalid",
                                WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTER | SS_CENTERIMAGE, CRect(20, 20, 250, 40),
                                &stage, 1895));
        link.SetFont(&g_fontArial16);
        sheet.Add("hyperlink", lang, Shot(link));
        MoveTo(link, CPoint(10, 10));
        sheet.Add("hyperlink hover", lang, Shot(link));
        MoveTo(link, CPoint(300, 10));
        link.DestroyWindow();

        CChEnEdit name;
        ASSERT_TRUE(name.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(20, 20, 180, 40), &stage, 2726));
        name.SetFont(&g_fontArial16);
        name.LimitText(13);
        name.SetFocus();
        QInputMethodEvent typed;
        typed.setCommitString(lang ? QStringLiteral("a客厅") : QStringLiteral("Living room"));
        QCoreApplication::sendEvent(name.GetWidget(), &typed);
        sheet.Add("name field typing", lang, Shot(name));
        name.SetSel(0, -1);
        sheet.Add("name field selected", lang, Shot(name));
        stage.SetFocus();
        sheet.Add("name field", lang, Shot(name));
        name.DestroyWindow();

        CPassWordEdit pw;
        ASSERT_TRUE(pw.Create(WS_CHILD | WS_VISIBLE | ES_PASSWORD, CRect(20, 20, 180, 40), &stage, 1));
        pw.SetFont(&g_fontArial16);
        for (char c : std::string("ab-1 2"))
            pw.SendMessage(WM_CHAR, WPARAM(c), 1);
        sheet.Add("password field", lang, Shot(pw));
    }
    SetShellOpener(previous);
    EXPECT_NE(sheet.Get("transparent label", 0), sheet.Get("transparent label", 1));
    EXPECT_NE(sheet.Get("hyperlink", 0), sheet.Get("hyperlink hover", 0));
}

TEST_F(ScreensTest, DropDownSelector)
{
    Sheet sheet("dropdown");
    const char* const entries[2][3] = {{"Millisecond", "Centimeter", "Inch"}, {"毫秒", "厘米", "英寸"}};
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        CComBoxBtn sel;
        ASSERT_TRUE(sel.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 40, 30), &stage, 32775));
        sel.SetBitmaps(Faces::kDrop[0], Faces::kDrop[1]);
        sel.SetDisabledBitmap(Faces::kDrop[2]);
        sel.SetNullTextMode(1);
        ASSERT_TRUE(sel.CreateDropList(&stage, 32775));
        for (const char* e : entries[lang])
            sel.AddString(e);
        sel.SetMoveNotify(TRUE);
        sel.SetCurSel(0);
        sheet.Add("normal", lang, Shot(sel));
        MoveTo(sel, CPoint(5, 5));
        sheet.Add("hover", lang, Shot(sel));
        Leave(sel);
        sel.SetEmphasis(TRUE);
        sheet.Add("emphasis", lang, Shot(sel));
        sel.SetEmphasis(FALSE);
        sel.EnableWindow(FALSE);
        sheet.Add("disabled, null text", lang, Shot(sel));
        sel.EnableWindow(TRUE);

        // Open, the pointer on the second entry: the button and its popup in one picture.
        Click(sel, CPoint(5, 5));
        CDropListBox& list = sel.GetDropWnd()->GetListBox();
        CRect item;
        list.GetItemRect(1, &item);
        MoveTo(list, CPoint(10, item.top + 3));
        Pump();
        const QImage button = Shot(sel, 0);
        const QImage popup = GrabOf(*sel.GetDropWnd()).convertToFormat(QImage::Format_RGB32);
        QImage open(std::max(button.width(), popup.width()) + 8, button.height() + popup.height() + 7,
                    QImage::Format_RGB32);
        open.fill(QColor(GetRValue(kStageColour), GetGValue(kStageColour), GetBValue(kStageColour)));
        QPainter p(&open);
        p.drawImage(4, 4, button);
        p.drawImage(4, 4 + button.height() - 1, popup);  // the popup overlaps the button's last row
        p.end();
        sheet.Add("open", lang, open);
        sel.SetFocus();
        sel.GetDropWnd()->ShowWindow(SW_HIDE);

        // A list with group headers, as the speaker-type lists have them.
        list.ResetContent();
        list.AddGroupString(lang ? "前置" : "Front", 1, RGB(53, 201, 219), RGB(255, 255, 255));
        list.AddGroupString(lang ? "高频" : "Tweeter", 1, RGB(255, 255, 255), RGB(255, 255, 255));
        list.AddGroupString(lang ? "低频" : "Woofer", 1, RGB(255, 255, 255), RGB(255, 255, 255));
        list.AddGroupString(lang ? "后置" : "Rear", 2, RGB(53, 201, 219), RGB(255, 255, 255));
        list.AddGroupString(lang ? "全频" : "Full", 2, RGB(255, 255, 255), RGB(255, 255, 255));
        Click(sel, CPoint(5, 5));
        list.GetItemRect(2, &item);
        MoveTo(list, CPoint(10, item.top + 3));
        Pump();
        sheet.Add("open with groups", lang, GrabOf(*sel.GetDropWnd()).convertToFormat(QImage::Format_RGB32));
        sel.SetFocus();
        sel.GetDropWnd()->ShowWindow(SW_HIDE);
        sel.DestroyWindow();

        CDropBtn plain;
        ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 20, 140, 40), &stage, 1));
        ASSERT_TRUE(plain.Init());
        for (const char* e : entries[lang])
            plain.AddString(e);
        plain.SetCurSel(2);
        sheet.Add("plain drop button", lang, Shot(plain));
        MoveTo(plain, CPoint(5, 5));
        sheet.Add("plain drop button hover", lang, Shot(plain));
        MoveTo(plain, CPoint(300, 5));
    }
    EXPECT_NE(sheet.Get("normal", 0), sheet.Get("normal", 1));
    EXPECT_NE(sheet.Get("normal", 0), sheet.Get("hover", 0));
    EXPECT_NE(sheet.Get("disabled, null text", 0), sheet.Get("disabled, null text", 1));
}
