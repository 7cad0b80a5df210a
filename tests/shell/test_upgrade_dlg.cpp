// The firmware update dialog on its own (the update itself runs in the end-to-end tests): its
// texts and size in both languages, the keys it swallows, the close box, the file choice, the
// hidden COM list, and pictures of it and of the link choice for people to look at
// (<build>/screens/).
#include "CConnectDlg.h"
#include "CFileDialog.h"
#include "CUpgradeDlg.h"

#include "GdiGlobals.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

const char* const kDspMcuKey = "Software\\ZQ-ORVANE-GV1.00_GB2312.exe\\DspMcu";

void Pump()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void PressKey(CWnd& w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w.GetWidget(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w.GetWidget(), &release);
}

QImage Grab(CWnd& w)
{
    Pump();
    return w.GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void WriteScreen(const QImage& img, const std::string& name)
{
    const QString dir = QStringLiteral(ORVANE_BINARY_DIR "/screens");
    QDir().mkpath(dir);
    EXPECT_TRUE(img.save(dir + "/" + QString::fromStdString(name) + ".png")) << name;
}

class UpgradeDlgUnitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_fontArial16.GetSafeHandle())
            CreateSharedGdiObjects();
        g_bChinese = 0;
        g_strFirmwarePath = "/opt/fw/old.bin";
        previousLister = SetComPortLister([this](std::vector<ComPortInfo>& list) { list = ports; });
        SettingsStore::DeleteKey(kDspMcuKey);
    }
    void TearDown() override
    {
        dlg.reset();
        CFileDialog::SetHook({});
        SetComPortLister(previousLister);
        g_bChinese = 0;
        g_strFirmwarePath.clear();
    }
    void Open()
    {
        dlg = std::make_unique<CUpgradeDlg>();
        ASSERT_TRUE(dlg->Create(IDD_UPGRADE));
    }

    std::vector<ComPortInfo> ports;
    ComPortLister previousLister;
    std::unique_ptr<CUpgradeDlg> dlg;
};

}  // namespace

TEST_F(UpgradeDlgUnitTest, TextsAndSizeFollowTheLanguageAndTheLinkChoiceStaysHidden)
{
    struct Case {
        int chinese;
        const char* title;
        std::vector<std::pair<UINT, const char*>> texts;
    };
    const Case cases[] = {
        {0, "Device Firmware Update",
         {{IDC_UPGRADE_UPDATE, "Update"}, {IDC_UPGRADE_QUIT, "Quit"}, {IDC_UPGRADE_BROWSE, "Browse file"},
          {IDC_UPGRADE_FILE_GROUP, "Update File"}, {IDC_UPGRADE_LINK_GROUP, "Communication interface"},
          {IDC_UPGRADE_FILE_LABEL, "Hex File"}, {IDC_UPGRADE_LINK_LABEL, "Communication interface"},
          {IDC_UPGRADE_RADIO_USB, "USB"}, {IDC_UPGRADE_RADIO_WIFI, "WIFI"}, {IDC_UPGRADE_RADIO_COM, "COM"}}},
        {1, "设备固件更新",
         {{IDC_UPGRADE_UPDATE, "更新"}, {IDC_UPGRADE_QUIT, "退出"}, {IDC_UPGRADE_BROWSE, "浏览文件"},
          {IDC_UPGRADE_FILE_GROUP, "Hex文件"}, {IDC_UPGRADE_LINK_GROUP, "通信接口"},
          {IDC_UPGRADE_FILE_LABEL, "Hex文件"}, {IDC_UPGRADE_LINK_LABEL, "通信接口"},
          {IDC_UPGRADE_RADIO_USB, "USB"}, {IDC_UPGRADE_RADIO_WIFI, "WIFI"}, {IDC_UPGRADE_RADIO_COM, "COM"}}},
    };
    for (const Case& c : cases) {
        g_bChinese = c.chinese;
        Open();
        EXPECT_EQ(dlg->GetWindowText(), c.title);
        for (const auto& t : c.texts) {
            ASSERT_NE(dlg->GetDlgItem(int(t.first)), nullptr) << t.first;
            EXPECT_EQ(dlg->GetDlgItem(int(t.first))->GetWindowText(), t.second) << t.first;
        }
        CRect rc;
        dlg->GetWindowRect(&rc);
        EXPECT_EQ(rc.Width(), UPGRADE_DLG_WIDTH);
        EXPECT_EQ(rc.Height(), UPGRADE_DLG_HEIGHT);
        for (UINT shown : {IDC_UPGRADE_PATH, IDC_UPGRADE_BROWSE, IDC_UPGRADE_TIP, IDC_UPGRADE_PROGRESS,
                           IDC_UPGRADE_UPDATE, IDC_UPGRADE_QUIT, IDC_UPGRADE_FILE_GROUP})
            EXPECT_TRUE(dlg->GetDlgItem(int(shown))->IsWindowVisible()) << shown;
        for (UINT hidden : {IDC_UPGRADE_LINK_GROUP, IDC_UPGRADE_FILE_LABEL, IDC_UPGRADE_LINK_LABEL,
                            IDC_UPGRADE_RADIO_USB, IDC_UPGRADE_RADIO_WIFI, IDC_UPGRADE_RADIO_COM,
                            IDC_UPGRADE_COM_LIST})
            EXPECT_FALSE(dlg->GetDlgItem(int(hidden))->IsWindowVisible()) << hidden;
        EXPECT_EQ(dlg->GetPathText(), "/opt/fw/old.bin");
        EXPECT_EQ(dlg->GetStatusText(), "");
        auto* tip = dynamic_cast<CTransparentStatic*>(dlg->GetDlgItem(IDC_UPGRADE_TIP));
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(tip->GetTextColor(), RGB(255, 0, 0));  // the status line is red
        EXPECT_EQ(g_pUpdateProgress != nullptr, true);
        dlg.reset();
        // The bar and the line are gone, and so are the link's pointers to them.
        EXPECT_EQ(g_pUpdateProgress, nullptr);
        EXPECT_EQ(g_pCurHexUpTip, nullptr);
    }
}

TEST_F(UpgradeDlgUnitTest, EnterAndEscapeDoNothingAndTheCloseBoxQuits)
{
    Open();
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        PressKey(*dlg->GetDlgItem(IDC_UPGRADE_PATH), key);
        PressKey(*dlg, key);
        Pump();
        EXPECT_TRUE(dlg->IsWindowVisible()) << key;
    }
    dlg->SendMessage(WM_CLOSE);
    EXPECT_TRUE(dlg->IsWindowVisible());  // the quit comes as a posted command
    Pump();
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_FALSE(dlg->GetPollThread()->IsThreadRunning());
}

TEST_F(UpgradeDlgUnitTest, RunModallyOnlyTheCloseBoxEndsIt)
{
    CUpgradeDlg modal;
    bool visibleAfterKeys = false;
    QTimer::singleShot(0, [&] {
        PressKey(modal, Qt::Key_Escape);
        PressKey(modal, Qt::Key_Return);
        visibleAfterKeys = modal.IsWindowVisible() != FALSE;
        modal.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(modal.DoModal(), IDCANCEL);
    EXPECT_TRUE(visibleAfterKeys);
    EXPECT_FALSE(modal.GetSafeHwnd());
    EXPECT_EQ(g_pUpdateProgress, nullptr);
    EXPECT_EQ(g_pCurHexUpTip, nullptr);
}

TEST_F(UpgradeDlgUnitTest, StatusTextsFromAnyThreadArriveInTheirOrder)
{
    Open();
    std::thread worker([] {
        CSingleLock lock(g_csComm);
        g_pCurHexUpTip->SetText("first");
        g_pCurHexUpTip->SetText("second");
    });
    worker.join();
    Pump();
    EXPECT_EQ(dlg->GetStatusText(), "second");
}

TEST_F(UpgradeDlgUnitTest, BrowseTakesOnlyABinFileAndRemembersItsFolder)
{
    SettingsStore::SetString(kDspMcuKey, "Path", "/opt/fw");
    struct Case {
        INT_PTR answer;
        const char* chosen;
        BOOL result;
        const char* field;
        const char* folder;
    };
    const Case cases[] = {
        {IDCANCEL, "", FALSE, "/opt/fw/old.bin", "/opt/fw"},
        {IDOK, "/data/new/fw.BIN", FALSE, "/opt/fw/old.bin", "/opt/fw"},  // the extension is case-sensitive
        {IDOK, "/data/new/fw.bin", TRUE, "/data/new/fw.bin", "/data/new"},
        {IDOK, "/data/two/fw.bin", TRUE, "/data/two/fw.bin", "/data/two"},
    };
    Open();
    for (const Case& c : cases) {
        CString startedIn;
        CFileDialog::SetHook([&](CFileDialog& fd) {
            EXPECT_TRUE(fd.IsOpenDialog());
            EXPECT_EQ(fd.GetDefExt(), "bin");
            EXPECT_EQ(fd.GetFilter(), ".bin|*.bin||");
            EXPECT_TRUE(fd.GetFlags() & OFN_FILEMUSTEXIST);
            startedIn = fd.GetInitialDir();
            if (c.answer == IDOK)
                fd.SetPathName(c.chosen);
            return c.answer;
        });
        const CString folderBefore = SettingsStore::GetString(kDspMcuKey, "Path");
        EXPECT_EQ(dlg->ChooseUpdateFile(), c.result) << c.chosen;
        EXPECT_EQ(startedIn, folderBefore) << c.chosen;
        EXPECT_EQ(dlg->GetPathText(), c.field) << c.chosen;
        EXPECT_EQ(SettingsStore::GetString(kDspMcuKey, "Path"), c.folder) << c.chosen;
    }
}

TEST(FileDialogTest, FilterAndDefaultExtensionInQtTerms)
{
    const std::pair<const char*, const char*> filters[] = {
        {".bin|*.bin||", ".bin (*.bin)"},
        {"Scene|*.ekds|All|*.ekds;*.ekda||", "Scene (*.ekds);;All (*.ekds *.ekda)"},
        {"", ""},
    };
    for (const auto& f : filters)
        EXPECT_EQ(CFileDialog::QtFilter(f.first), f.second) << f.first;
    const std::pair<const char*, const char*> paths[] = {
        {"/a/fw", "/a/fw.bin"}, {"/a/fw.hex", "/a/fw.hex"}, {"/a.b/fw", "/a.b/fw.bin"}, {"", ""}};
    for (const auto& p : paths)
        EXPECT_EQ(CFileDialog::WithDefaultExt(p.first, "bin"), p.second) << p.first;
    CFileDialog dlg(TRUE);
    dlg.SetPathName("/data/new/fw.tar.bin");
    EXPECT_EQ(dlg.GetFileName(), "fw.tar.bin");
    EXPECT_EQ(dlg.GetFileExt(), "bin");
    EXPECT_EQ(dlg.GetFolderPath(), "/data/new");
}

TEST_F(UpgradeDlgUnitTest, TheHiddenComListShowsThePortsOrNull)
{
    for (bool any : {false, true}) {
        ports.clear();
        if (any) {
            ComPortInfo p;
            p.strPortName = p.strFriendlyName = "ttyUSB0";
            ports.push_back(p);
        }
        Open();
        CString first;
        ASSERT_EQ(dlg->GetComList().GetCount(), 1);
        dlg->GetComList().GetLBText(0, first);
        EXPECT_EQ(first, any ? "ttyUSB0" : "NULL");
        EXPECT_EQ(dlg->GetComList().GetCurSel(), 0);
    }
}

TEST_F(UpgradeDlgUnitTest, PicturesOfTheUpdateAndLinkDialogs)
{
    std::vector<QImage> shots;
    for (int lang = 0; lang < 2; ++lang) {
        g_bChinese = lang;
        Open();
        dlg->GetProgress().SetRange(0, 40);
        dlg->GetProgress().SetPos(13);
        g_pCurHexUpTip->SetText(lang ? "数据传输中 请勿中断" : "Programming Do not interrupt");
        const QImage img = Grab(*dlg);
        EXPECT_EQ(img.width(), UPGRADE_DLG_WIDTH);
        EXPECT_EQ(img.height(), UPGRADE_DLG_HEIGHT);
        WriteScreen(img, std::string("upgrade_dlg_") + (lang ? "cn" : "en"));
        shots.push_back(img);
        dlg.reset();

        ports.clear();
        ComPortInfo p;
        p.strPortName = p.strFriendlyName = "ttyUSB0";
        p.bUsbDevice = TRUE;
        ports.push_back(p);
        g_nLinkType = 3;
        CConnectDlg link;
        ASSERT_TRUE(link.Create(IDD_CONNECT));
        const QImage linkImg = Grab(link);
        WriteScreen(linkImg, std::string("connect_dlg_") + (lang ? "cn" : "en"));
        shots.push_back(linkImg);
        g_nLinkType = 0;
    }
    // The languages differ on screen.
    EXPECT_NE(shots[0], shots[2]);
    EXPECT_NE(shots[1], shots[3]);
}
