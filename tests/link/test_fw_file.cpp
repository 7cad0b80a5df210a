// The update file: the two forms and what they yield, and one table of files that must be
// refused with "Update file error!" and leave nothing to send.
#include "test_fw_kit.h"
#include "test_net_kit.h"

#include "CKTVCommand.h"
#include "CNet_Socket.h"
#include "FirmwareFile.h"
#include "FirmwareState.h"
#include "FirmwareUpdate.h"
#include "Globals.h"
#include "LinkGlobals.h"
#include "ModelUi.h"
#include "UsbLink.h"

using namespace fwkit;

namespace {

struct BadFile {
    const char* name;
    Bytes bytes;
    CFirmwareFile::EResult result;
};

std::vector<BadFile> BadFiles()
{
    using R = CFirmwareFile::EResult;
    const Bytes dspPart = Concat({Tag("WDSP"), DspImage(), {0x00}});
    return {
        {"Empty", {}, R::TooShort},
        {"TagCut", Bytes{'W', 'M', 'C'}, R::TooShort},
        {"ControllerTagOnly", Tag("WMCU"), R::TooShort},
        {"ControllerStartRecordOnly", Concat({Tag("WMCU"), {1, 0, 0, 0}}), R::TooShort},
        {"UnknownTag", Concat({Tag("WXYZ"), McuImage(40)}), R::BadTag},
        {"LowerCaseTag", Concat({Tag("wmcu"), McuImage(40)}), R::BadTag},
        {"DspTagOnAShortFile", Concat({Tag("WDSP"), Pattern(1000, 1)}), R::TooShort},
        {"LongFileStartingWithControllerTag", Concat({Tag("WMCU"), Pattern(FW_FULL_FILE_SIZE, 2)}), R::BadTag},
        {"LongFileWithControllerTagAlsoAtFour",
         Concat({Tag("WMCU"), Tag("WMCU"), Pattern(FW_FULL_FILE_SIZE, 3)}), R::BadTag},
        {"DspPartAndThreeStrayBytes", Concat({dspPart, {1, 2, 3}}), R::LengthMismatch},
        {"DspPartAndNoControllerTag", Concat({dspPart, Tag("WDSP"), McuImage(40)}), R::BadTag},
        {"DspPartAndControllerTagOnly", Concat({dspPart, Tag("WMCU")}), R::TooShort},
        {"DspPartAndShortControllerImage", Concat({dspPart, Tag("WMCU"), {9, 9, 9, 9}}), R::TooShort},
    };
}

class FirmwareFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_bChinese = 0;
        g_bMcuImageLoaded = 0;
        g_bUpdateDone = 1;
    }
    void TearDown() override
    {
        m_update.EndUpdate();
        m_command.RemoveAllSendData();
        g_strFirmwarePath.clear();
        g_bChinese = 0;
        g_bUpdateDone = 0;
    }

    // Asks for the next items as the firmware write loop does, and returns how many were queued.
    int QueueAsTheWriteLoopDoes()
    {
        m_update.QueueNextFirmwarePackets();
        return m_command.GetSendDataCount();
    }

    CModelUiRecorder m_ui;
    CKTVCommand m_command;
    netkit::FakeReachability m_reach;
    CNet_Socket m_net{&m_reach};
    CUsbLink m_usb{m_command};
    CFirmwareUpdate m_update{m_command, m_usb, m_net};
};

}  // namespace

class BadFirmwareFileTest : public FirmwareFileTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFirmwareFileTest, IsRefusedAndNothingIsQueued)
{
    const BadFile& c = GetParam();
    CFirmwareFile file;
    EXPECT_EQ(file.Parse(c.bytes), c.result);
    EXPECT_FALSE(file.HasDspImage());
    EXPECT_FALSE(file.HasMcuImage());

    // A good file loaded before must not leave anything behind either.
    g_strFirmwarePath = WriteFile("good.bin", ControllerFile(100));
    ASSERT_TRUE(m_update.LoadUpdateFile());

    g_strFirmwarePath = WriteFile(std::string(c.name) + ".bin", c.bytes);
    EXPECT_FALSE(m_update.LoadUpdateFile());
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0].first, "Update file error!");
    EXPECT_EQ(m_ui.m_messages[0].second, -3);
    EXPECT_EQ(g_strFirmwarePath, TestEnv::TempDir() + "/" + c.name + ".bin") << "a file that was read stays chosen";
    EXPECT_EQ(g_bMcuImageLoaded, 0);
    EXPECT_EQ(QueueAsTheWriteLoopDoes(), 0);
    EXPECT_EQ(m_update.GetDspBytesLeft() + m_update.GetMcuBytesLeft(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, BadFirmwareFileTest, ::testing::ValuesIn(BadFiles()),
                         [](const ::testing::TestParamInfo<BadFile>& info) { return info.param.name; });

TEST_F(FirmwareFileTest, MissingFileIsRefusedInTheCurrentLanguageAndForgotten)
{
    g_bChinese = 1;
    g_strFirmwarePath = TestEnv::TempDir() + "/no-such-file.bin";
    EXPECT_FALSE(m_update.LoadUpdateFile());
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0].first, "更新文件错误!");
    EXPECT_EQ(m_ui.m_messages[0].second, -2);
    EXPECT_TRUE(g_strFirmwarePath.empty());
    EXPECT_EQ(QueueAsTheWriteLoopDoes(), 0);
}

TEST_F(FirmwareFileTest, GoodFilesGiveTheirImagesCheckAndProgressCount)
{
    struct Case {
        const char* name;
        Bytes bytes;
        bool dsp, mcu;
        BYTE check;      // carried by the end step
        int progress;    // B
    };
    const Bytes mcu = McuImage(1000);
    const Bytes body(mcu.begin() + 4, mcu.end());
    const Case cases[] = {
        {"controller only", ControllerFile(1000), false, true, CheckOf(body), (4 + 1004) / 48},
        // (L - 5 - 0x3FFFF) / 48 + 5957 = (1004 + 4) / 48 + 5957
        {"full", FullFile(1000), true, true, CheckOf(body), 1008 / 48 + 5957},
        {"DSP part only", FullFile(0), true, false, CheckOf(DspImage()), 5957},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFirmwareFile file;
        ASSERT_EQ(file.Parse(c.bytes), CFirmwareFile::EResult::Ok);
        EXPECT_EQ(file.HasDspImage(), c.dsp);
        EXPECT_EQ(file.HasMcuImage(), c.mcu);
        if (c.dsp) {
            EXPECT_EQ(file.GetDspImage(), DspImage());
        }
        if (c.mcu) {
            EXPECT_EQ(file.GetMcuImage(), mcu);
        }
        EXPECT_EQ(file.GetProgressCount(), c.progress);

        g_strFirmwarePath = WriteFile("ok.bin", c.bytes);
        g_bUpdateDone = 1;
        ASSERT_TRUE(m_update.LoadUpdateFile());
        EXPECT_TRUE(m_ui.m_messages.empty());
        EXPECT_EQ(m_update.GetMcuCheck(), c.check);
        EXPECT_EQ(m_update.GetProgressCount(), c.progress);
        EXPECT_EQ(g_nUpdateProgressTotal, c.progress + 6);
        EXPECT_EQ(g_bMcuImageLoaded, c.mcu ? 1 : 0);
        EXPECT_EQ(g_bUpdateDone, 0);
        EXPECT_EQ(g_bLoaderEntryPending, 1);
    }
}

TEST(FirmwareFileName, OnlyALowerCaseBinExtensionIsAnUpdateFile)
{
    const std::pair<const char*, BOOL> cases[] = {
        {"/tmp/dsp.bin", TRUE},  {"dsp.BIN", FALSE},          {"/tmp/dsp.bin.txt", FALSE},
        {"/tmp/dsp", FALSE},     {"/tmp/a.b/firmware", FALSE}, {"v1.2.bin", TRUE},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(CFirmwareFile::IsUpdateFileName(path), expected) << path;
}
