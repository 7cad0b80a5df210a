// The main view's commands against the emulator: the scene menu's device items greyed while
// nothing is linked, the factory reset with and without a link, every answer of the exit
// question, minimise, dragging the caption-less window by its background, the two source
// selectors (what they send, and what they show after a reconnect), and the language switch
// with every text it changes, kept across a restart.
#include "E2eRig.h"

#include "AppMessages.h"
#include "SpeakerTypes.h"
#include "SpeakerTable.h"
#include "CButton.h"
#include "CDialog.h"
#include "CDisplayDlg.h"
#include "CDropListBox.h"
#include "CDropWnd.h"
#include "CFileDialog.h"
#include "CWndWidget.h"
#include "ControlGlobals.h"
#include "FrameBuilder.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "SceneImage.h"
#include "SettingsStore.h"
#include "ShellGlobals.h"
#include "TestEnv.h"
#include "UsbInUseList.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace e2e;

namespace {

// Runs action on the first modal dialog that comes up while the view handles a command.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(CDialog&)> action) : m_action(std::move(action))
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            auto* w = dynamic_cast<CWndWidget*>(QApplication::activeModalWidget());
            auto* dlg = w ? dynamic_cast<CDialog*>(w->Owner()) : nullptr;
            if (!dlg || m_seen)
                return;
            m_seen = true;
            m_caption = dlg->GetWindowText();
            m_action(*dlg);
        });
        m_poll.start(10);
    }
    bool Seen() const { return m_seen; }
    const CString& Caption() const { return m_caption; }

private:
    std::function<void(CDialog&)> m_action;
    QTimer m_poll;
    bool m_seen = false;
    CString m_caption;
};

void Key(CDialog& dlg, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(dlg.GetWidget(), &press);
}

void ClickItem(CDialog& dlg, int nID)
{
    if (CWnd* b = dlg.GetDlgItem(nID))
        b->SendMessage(BM_CLICK);
}

void Command(CKRV330View& view, UINT id, bool button = true)
{
    CWnd* control = view.GetDlgItem(int(id));
    view.SendMessage(WM_COMMAND, MAKEWPARAM(id, button ? BN_CLICKED : 0),
                     LPARAM(control && button ? control->GetSafeHwnd() : nullptr));
}

struct MenuEntry {
    std::string text;
    bool enabled;
};

// Opens a popup menu through its button, reads its entries and closes it with Esc.
std::vector<MenuEntry> ReadMenu(CKRV330View& view, UINT button)
{
    std::vector<MenuEntry> entries;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                entries.push_back({a->text().toStdString(), a->isEnabled()});
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &esc);
        menu->close();
    });
    Command(view, button);
    PumpFor(20);
    return entries;
}

std::vector<std::string> SelectorEntries(CComBoxBtn& box)
{
    std::vector<std::string> out;
    CDropListBox& list = box.GetDropWnd()->GetListBox();
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        out.push_back(text);
    }
    return out;
}

bool HasFrame(const std::vector<Frame>& log, const Frame& f) { return std::find(log.begin(), log.end(), f) != log.end(); }

Frame CommandFrame(int nCmd)
{
    std::unique_ptr<CSendData> item;
    {
        CSingleLock lock(g_csComm);
        item = BuildCommand(nCmd, 0);
    }
    return Frame(item->GetData(), item->GetData() + item->GetLength());
}

}  // namespace

TEST(ViewCommands, SceneMenuGreysTheDeviceItemsWhileNotLinked)
{
    for (bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "linked" : "not linked");
        g_bChinese = 0;
        LinkRig rig(LinkRig::Door::Usb);
        if (!linked)
            rig.hid->Unplug();
        rig.Start();
        if (linked) {
            ASSERT_TRUE(rig.WaitConnected());
        } else {
            PumpFor(50);
        }
        const std::vector<MenuEntry> menu = ReadMenu(*rig.view, IDC_SCENE_MENU);
        ASSERT_EQ(menu.size(), 7u);
        const std::string texts[] = {"Load     Machine Preset(&E)", "Save As Machine Preset(&I)",
                                     "Delete   Machine Preset(&D)", "Load     PC Presets File(&O)",
                                     "Save As PC Presets File(&S)", "Load     All Presets", "Save     All Presets"};
        const bool needsDevice[] = {true, true, true, false, false, true, true};
        for (size_t i = 0; i < menu.size(); ++i) {
            EXPECT_EQ(menu[i].text, texts[i]);
            EXPECT_EQ(menu[i].enabled, !needsDevice[i] || linked) << texts[i];
        }
    }
}

TEST(ViewCommands, FactoryResetQueuesItsFrameOnlyWhenLinkedAndSaysSoOtherwise)
{
    struct Case {
        bool linked;
        bool ok;  // the warning's answer
        bool sent;
        bool notice;
    };
    const Case cases[] = {{false, true, false, true}, {true, true, true, false}, {true, false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "linked " << c.linked << " ok " << c.ok);
        g_bChinese = 0;
        LinkRig rig(LinkRig::Door::Usb);
        if (!c.linked)
            rig.hid->Unplug();
        rig.Start();
        if (c.linked) {
            ASSERT_TRUE(rig.WaitConnected());
        }
        rig.messages.Clear();
        const Frame reset = CommandFrame(SYS_FACTORY_RESET);
        ModalAnswer answer([&](CDialog& dlg) { Key(dlg, c.ok ? Qt::Key_Return : Qt::Key_Escape); });
        Command(*rig.view, ID_FACTORY_RESET, false);
        EXPECT_TRUE(answer.Seen());
        EXPECT_EQ(answer.Caption(), "Warning!");
        if (c.sent) {
            EXPECT_TRUE(PumpUntil([&] { return HasFrame(rig.emu.GetRequestLog(), reset); }));
        } else {
            PumpFor(100);
        }
        EXPECT_EQ(HasFrame(rig.emu.GetRequestLog(), reset), c.sent);
        if (!c.linked) {
            EXPECT_EQ(rig.QueuedCount(), 0);
        }
        const std::vector<ShownMessage> shown = rig.messages.Shown();
        if (c.notice) {
            EXPECT_EQ(shown, std::vector<ShownMessage>({{"No connection can be opened", 2000}}));
        } else {
            EXPECT_TRUE(shown.empty());
        }
    }
}

TEST(ViewCommands, ExitQuestionCancelKeepsRunningAndNoEndsTheLinkOnce)
{
    for (int answerId : {IDCANCEL, IDNO}) {
        SCOPED_TRACE(answerId == IDNO ? "No" : "Cancel");
        g_bChinese = 0;
        LinkRig rig(LinkRig::Door::Usb);
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
        const CString path = g_strUsbPath;
        ASSERT_FALSE(rig.view->IsUsbPathFree(path)) << "the running program claims its device";
        ModalAnswer answer([&](CDialog& dlg) {
            if (answerId == IDNO)
                ClickItem(dlg, 2790);
            else
                Key(dlg, Qt::Key_Escape);
        });
        int fileDialogs = 0;
        const CFileDialog::Hook oldHook = CFileDialog::SetHook([&](CFileDialog&) {
            ++fileDialogs;
            return INT_PTR(IDCANCEL);
        });
        Command(*rig.view, IDC_EXIT);
        CFileDialog::SetHook(oldHook);
        EXPECT_TRUE(answer.Seen());
        EXPECT_EQ(fileDialogs, 0);
        if (answerId == IDCANCEL) {
            EXPECT_TRUE(rig.view->GetSafeHwnd());
            EXPECT_TRUE(rig.view->IsLinked());
            EXPECT_TRUE(rig.view->GetCommWorker().IsThreadRunning());
            EXPECT_FALSE(rig.view->IsUsbPathFree(path));
            const size_t before = rig.emu.GetRequestLog().size();
            EXPECT_TRUE(PumpUntil([&] { return rig.emu.GetRequestLog().size() > before + 2; }))
                << "the worker keeps polling";
            continue;
        }
        EXPECT_FALSE(rig.view->GetSafeHwnd()) << "the window closed";
        EXPECT_TRUE(rig.view->IsExitDone());
        EXPECT_FALSE(rig.view->GetCommWorker().IsThreadRunning());
        EXPECT_EQ(g_pDisplayDlg, nullptr);
        EXPECT_EQ(g_pProgress, nullptr);
        EXPECT_TRUE(rig.view->IsUsbPathFree(path)) << "the claim is released";
        // Another copy claims the device now: the view going must not take that claim away.
        CUsbInUseList other;
        other.Claim(path);
        rig.view.reset();
        CUsbInUseList probe;
        EXPECT_FALSE(probe.IsFree(path)) << "the other copy's claim went with the view";
    }
}

TEST(ViewCommands, MinimiseMinimisesAndDraggingTheBackgroundMovesTheWindow)
{
    LinkRig rig(LinkRig::Door::Usb);
    rig.hid->Unplug();
    rig.Start();
    CKRV330View& view = *rig.view;
    QWidget* w = view.GetWidget();
    w->move(100, 80);
    w->show();
    PumpFor(20);

    // A press on a bare spot of the top bar, a move, a release: the window follows the pointer.
    const QPoint grab(1125, 18);
    const QPoint start = w->pos();
    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
    EXPECT_TRUE(view.IsDragging());
    // The pointer moves 40 right and 25 down on the screen; the window has not moved yet, so
    // the point in its client area is grab + (40, 25).
    send(QEvent::MouseMove, grab + QPoint(40, 25), Qt::LeftButton);
    EXPECT_EQ(w->pos(), start + QPoint(40, 25));
    send(QEvent::MouseMove, grab + QPoint(-30, 5), Qt::LeftButton);  // after it moved: 70 left, 20 up
    EXPECT_EQ(w->pos(), start + QPoint(10, 30));
    send(QEvent::MouseButtonRelease, grab + QPoint(-30, 5), Qt::NoButton);
    EXPECT_FALSE(view.IsDragging());
    send(QEvent::MouseMove, grab + QPoint(50, 50), Qt::NoButton);
    EXPECT_EQ(w->pos(), start + QPoint(10, 30)) << "no drag after the release";

    Command(view, IDC_MINIMIZE);
    EXPECT_TRUE(PumpUntil([&] { return (w->windowState() & Qt::WindowMinimized) != 0; }));
}

TEST(ViewCommands, SelectorChoicesAreSentAndTheCaptionFollowsTheDeviceAfterAReconnect)
{
    g_bChinese = 0;
    LinkRig rig(LinkRig::Door::Usb);
    rig.Start();
    ASSERT_TRUE(rig.WaitConnected());
    CKRV330View& view = *rig.view;
    constexpr int kSourceOffset = 83;  // input source in the system block
    constexpr int kAudioOffset = 116 + 4;
    struct Case {
        UINT notify;
        int entry;
        int value;
    };
    const Case cases[] = {
        {NOTIFY_INPUT_TYPE, 1, 2}, {NOTIFY_INPUT_TYPE, 2, 0}, {NOTIFY_INPUT_TYPE, 0, 1},
        {NOTIFY_AUDIO_SOURCE, 3, 255}, {NOTIFY_AUDIO_SOURCE, 1, 2}, {NOTIFY_AUDIO_SOURCE, 2, 0},
        {NOTIFY_AUDIO_SOURCE, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "notify " << c.notify << " entry " << c.entry);
        view.PostMessage(WM_DROPLIST_SELCHANGE, WPARAM(c.notify), LPARAM(c.entry));
        const int offset = c.notify == NOTIFY_INPUT_TYPE ? kSourceOffset : kAudioOffset;
        EXPECT_TRUE(PumpUntil([&] { return rig.emu.GetSystemBlock()[size_t(offset)] == c.value; }))
            << "the device holds " << int(rig.emu.GetSystemBlock()[size_t(offset)]);
        CComBoxBtn& box = c.notify == NOTIFY_INPUT_TYPE ? view.GetInputTypeSelector() : view.GetAudioSourceSelector();
        // A state poll answered just before the choice reached the device may show the old value
        // for a moment; the view follows the device's next answer.
        PumpUntil([&] {
            return (c.notify == NOTIFY_INPUT_TYPE ? g_byInputSource : g_bySysGroup8[4]) == c.value &&
                   box.GetCurSel() == c.entry;
        });
        EXPECT_EQ(c.notify == NOTIFY_INPUT_TYPE ? g_byInputSource : g_bySysGroup8[4], c.value);
        EXPECT_EQ(box.GetCurSel(), c.entry);
        EXPECT_EQ(g_bSourceMatch, g_bySysGroup8[4] == g_byInputSource ? 1 : 0);
    }
    // The device is left on Bluetooth / S/PDIF; the program forgets, disconnects and connects
    // again: both captions show what the device holds.
    view.PostMessage(WM_DROPLIST_SELCHANGE, WPARAM(NOTIFY_INPUT_TYPE), 1);
    view.PostMessage(WM_DROPLIST_SELCHANGE, WPARAM(NOTIFY_AUDIO_SOURCE), 2);
    ASSERT_TRUE(PumpUntil([&] {
        const std::vector<BYTE> sys = rig.emu.GetSystemBlock();
        return sys[kSourceOffset] == 2 && sys[kAudioOffset] == 0;
    }));
    Command(view, IDC_CONNECT);
    ASSERT_TRUE(PumpUntil([&] { return !view.IsLinked(); }));
    {
        CSingleLock lock(g_csComm);
        g_byInputSource = 1;
        g_bySysGroup8[4] = 255;
    }
    view.SetInputSource(1, FALSE);
    EXPECT_EQ(view.GetInputTypeSelector().GetWindowText(), "Line");
    rig.emu.ClearRequestLog();
    Command(view, IDC_CONNECT);
    ASSERT_TRUE(rig.WaitConnected());
    EXPECT_EQ(view.GetInputTypeSelector().GetWindowText(), "Bluetooth");
    EXPECT_EQ(view.GetAudioSourceSelector().GetWindowText(), "SPDIF");
}

TEST(ViewCommands, LanguageItemFlipsEveryTextAndTheChoiceSurvivesARestart)
{
    g_bChinese = 1;
    g_strLanguage.clear();
    SettingsStore::DeleteKey(g_pszDspMcuKey);
    const QString dir = QString(ORVANE_BINARY_DIR) + "/screens";
    QDir().mkpath(dir);
    struct Language {
        int chinese;
        std::vector<std::string> scene;
        std::vector<std::string> settings;
        std::vector<std::string> sources;
        const char* custom;
        const char* png;
    };
    const Language cn{1,
                      {"加载     机器预置场景(&E)", "另存为  机器预置场景(&I)", "删除     机器预置场景(&D)",
                       "加载     电脑上场景文件(&O)", "另存为  电脑上场景文件(&S)", "加载     机器所有场景",
                       "保存     机器所有场景"},
                      {"English", "固件更新", "高级", "恢复出厂设置", "帮助(&F)", "关于(&A)..."},
                      {"线路", "蓝牙", "数字", "关闭"},
                      "自定义",
                      "/commands_language_cn.png"};
    const bool chineseSystem = QLocale::system().language() == QLocale::Chinese;
    const Language en{0,
                      {"Load     Machine Preset(&E)", "Save As Machine Preset(&I)", "Delete   Machine Preset(&D)",
                       "Load     PC Presets File(&O)", "Save As PC Presets File(&S)", "Load     All Presets",
                       "Save     All Presets"},
                      {chineseSystem ? "中文" : "Chinese", "Firmware Update", "Advanced", "Factory Reset", "Help(&F)",
                       "About(&A)"},
                      {"Line", "Bluetooth", "SPDIF", "OFF"},
                      "Custom",
                      "/commands_language_en.png"};
    QImage barOf[2];
    LinkRig rig(LinkRig::Door::Usb);
    {
        g_bChinese = 1;  // the language the program starts in, with nothing saved
        rig.Start();
        ASSERT_TRUE(rig.WaitConnected());
        CKRV330View& view = *rig.view;
        // The live scene is the custom one: its name shows in the language.
        g_byCurScene = 0;
        view.SendMessage(WM_SCENE_NAME_CHANGED);
        for (const Language* lang : {&en, &cn, &en}) {
            SCOPED_TRACE(lang->chinese ? "to Chinese" : "to English");
            Command(view, ID_LANGUAGE, false);
            EXPECT_EQ(g_bChinese, lang->chinese);
            EXPECT_EQ(g_strLanguage, lang->chinese ? "Chinese" : "English");
            EXPECT_EQ(SettingsStore::GetString(g_pszDspMcuKey, "Language"), g_strLanguage);
            // The output page follows: its strips' speaker-type captions are in the language.
            CString caption;
            view.GetOutputPage().m_strip[0].m_btnSpeakerType.GetWindowText(caption);
            EXPECT_EQ(caption, GetSpeakerTypeName(SpeakerTypeOf(g_bySpeakerType, 0), lang->chinese));
            std::vector<std::string> texts;
            for (const MenuEntry& e : ReadMenu(view, IDC_SCENE_MENU))
                texts.push_back(e.text);
            EXPECT_EQ(texts, lang->scene);
            texts.clear();
            for (const MenuEntry& e : ReadMenu(view, IDC_SETTINGS_MENU))
                texts.push_back(e.text);
            EXPECT_EQ(texts, lang->settings);
            EXPECT_EQ(SelectorEntries(view.GetAudioSourceSelector()), lang->sources);
            EXPECT_EQ(SelectorEntries(view.GetInputTypeSelector()),
                      std::vector<std::string>(lang->sources.begin(), lang->sources.begin() + 3));
            EXPECT_EQ(view.GetSceneNameButton().GetWindowText(), lang->custom);
            EXPECT_EQ(view.GetLinkIndicator().GetWindowText(), lang->chinese ? "已连接设备" : "Connected device");
            view.RedrawWindow();
            const QImage shot = view.GetWidget()->grab().toImage();
            shot.save(dir + lang->png);
            barOf[lang->chinese] = shot.copy(0, 0, 1200, 36);
        }
    }
    // The command bar's pictures and captions differ between the languages.
    EXPECT_NE(barOf[0], barOf[1]);

    // A restart: the saved choice wins over the language the program starts in.
    rig.view.reset();
    g_bChinese = 1;
    g_strLanguage.clear();
    rig.hid->Unplug();
    rig.Start();
    EXPECT_EQ(g_bChinese, 0);
    EXPECT_EQ(SelectorEntries(rig.view->GetAudioSourceSelector()), en.sources);
}
