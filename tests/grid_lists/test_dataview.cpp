// The parameter table: its labels, headings and the channels' texts, printing it, writing it
// into a workbook and how it looks in both languages.
#include "CDataViewDlg.h"
#include "CFileDialog.h"
#include "CKTV_Data.h"
#include "Globals.h"
#include "ListTestKit.h"
#include "MessageBox.h"
#include "PrintDialog.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <map>
#include <regex>

namespace {

// The cells of the first sheet of a workbook, by reference ("A1"), read back from its XML.
struct Sheet {
    std::string name;
    std::map<std::string, std::string> cells;
};

std::string XmlText(std::string s)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + 1))
            s.replace(at, strlen(from), to);
    return s;
}

Sheet ReadWorkbook(const std::string& path)
{
    Sheet sheet;
    const std::string book = RunTool("unzip", {"-p", QString::fromStdString(path), "xl/workbook.xml"});
    std::smatch m;
    if (std::regex_search(book, m, std::regex("<sheet name=\"([^\"]*)\"")))
        sheet.name = XmlText(m[1]);
    std::vector<std::string> shared;
    const std::string strings = RunTool("unzip", {"-p", QString::fromStdString(path), "xl/sharedStrings.xml"});
    const std::regex si("<si>(.*?)</si>");
    for (auto it = std::sregex_iterator(strings.begin(), strings.end(), si); it != std::sregex_iterator(); ++it) {
        std::string t = (*it)[1];
        std::smatch tm;
        shared.push_back(std::regex_search(t, tm, std::regex("<t[^>]*>(.*)</t>")) ? XmlText(tm[1]) : "");
    }
    const std::string xml = RunTool("unzip", {"-p", QString::fromStdString(path), "xl/worksheets/sheet1.xml"});
    const std::regex cell("<c r=\"([A-Z]+[0-9]+)\"[^>]*t=\"s\"[^>]*><v>([0-9]+)</v></c>");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), cell); it != std::sregex_iterator(); ++it) {
        const size_t index = std::stoul((*it)[2]);
        sheet.cells[(*it)[1]] = index < shared.size() ? shared[index] : "?";
    }
    return sheet;
}

std::string Ref(int row, int col)
{
    std::string letters;
    for (int c = col + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), char('A' + (c - 1) % 26));
    return letters + std::to_string(row + 1);
}

class DataViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        g_bChinese = 0;
        // A muted output 1, and a few values to find again.
        m_data.GetOutData(0)->SetGain(0);
        m_data.GetOutData(1)->SetGain(600);
        m_work = TestEnv::TempDir() + "/work-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        QDir().mkpath(QString::fromStdString(m_work));
    }
    void TearDown() override
    {
        CFileDialog::SetHook({});
        CPrintDialog::SetHook({});
        SetMessageBoxHandler({});
        g_bChinese = 0;
    }
    // Opens the dialog without running it modally.
    void Open(CDataViewDlg& dlg)
    {
        dlg.m_pData = &m_data;
        dlg.m_strWorkDir = m_work;
        ASSERT_TRUE(dlg.Create(IDD_DATAVIEW, nullptr));
        Pump();
    }

    CKTV_Data m_data;
    std::string m_work;
};

TEST_F(DataViewTest, TableHasALabelForEveryFilledRowAndTheModelsTexts)
{
    CDataViewDlg dlg;
    Open(dlg);
    CListCtrl& list = dlg.m_listData;
    ASSERT_EQ(list.GetItemCount(), CDataViewDlg::kRows);
    ASSERT_EQ(list.GetHeaderCtrl()->GetItemCount(), CDataViewDlg::kColumns);

    CKTV_OutData* out1 = m_data.GetOutData(0);
    CKTV_OutData* out2 = m_data.GetOutData(1);
    CMIC_InData* mic = m_data.GetMicData(0);
    CMusic_InData* music6 = m_data.GetMusicData(5);
    CEffect_Data* effect = m_data.GetEffectData();
    struct Case {
        int row, col;
        CString text;
        const char* label;
    } cases[] = {
        {CDataViewDlg::kGainRow, 9, "-60.0dB", "Gain"},  // muted gain
        {CDataViewDlg::kGainRow, 10, out2->GetGainText(), "Gain"},
        {CDataViewDlg::kPolarityRow, 18, m_data.GetOutData(9)->GetPolarityText(), "POL"},
        {CDataViewDlg::kReleaseRow, 9, out1->GetLimitReleaseText(), "Release"},
        {CDataViewDlg::kIn3Row, 9, out1->GetIn5Text(), "IN 3"},
        {0, 9, out1->GetFilter(0)->GetTypeText(), "EQ1 Type"},
        {5 * 6 + 2, 10, out2->GetFilter(5)->GetFreqText(), "EQ6 Freq"},
        {8 * 6 + 1, 1, mic->GetFilter(8)->GetGainText(), "EQ9 Gain"},
        {CDataViewDlg::kHighPassRow + 2, 1, mic->GetHighPass()->GetCrossoverSlopeText(), "HPF_Oct"},
        {CDataViewDlg::kLowPassRow + 1, 14, m_data.GetOutData(5)->GetLowPass()->GetFreqText(), "LPF_Freq"},
        {CDataViewDlg::kLevelRow, 1, mic->GetLevelText(), "Level"},
        {CDataViewDlg::kNoiseGateRow, 7, music6->GetNoiseGateText(), "Noise Gate"},
        {6 * 6 + 2, 7, music6->GetFilter(6)->GetFreqText(), "EQ7 Freq"},
        {CDataViewDlg::kEchoRow + 2, 8, effect->GetEchoBalanceText(), "Echo Balance"},
        {CDataViewDlg::kReverbRow + 1, 8, effect->GetReverbTimeText(), "Reverb Time"},
        {2 * 6 + 4, 8, effect->GetFilter(2)->GetQText(), "EQ3 Q"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(list.GetItemText(k.row, k.col), k.text) << k.row << "," << k.col;
        EXPECT_EQ(list.GetItemText(k.row, 0), k.label) << k.row;
    }
    // Bands the table does not list stay empty: output 3 lists three bands, music inputs no crossover.
    EXPECT_EQ(list.GetItemText(3 * 6, 11), "");
    EXPECT_EQ(list.GetItemText(CDataViewDlg::kHighPassRow, 2), "");
    EXPECT_EQ(list.GetItemText(CDataViewDlg::kLowPassRow, 9), "");  // only output 6 lists its low-pass

    // Every row that holds a value somewhere carries a label.
    for (int r = 0; r < CDataViewDlg::kRows; ++r) {
        bool filled = false;
        for (int c = 1; c < CDataViewDlg::kColumns; ++c)
            filled = filled || !list.GetItemText(r, c).empty();
        if (filled) {
            EXPECT_FALSE(list.GetItemText(r, 0).empty()) << "row " << r;
        }
    }

    char text[32];
    LVCOLUMN col{LVCF_TEXT | LVCF_WIDTH, 0, 0, text, int(sizeof text), 0};
    const std::pair<int, const char*> headings[] = {{0, "Args"}, {1, "CH1"}, {6, "CH6"}, {18, "CH18"}};
    for (const auto& [c, heading] : headings) {
        ASSERT_TRUE(list.GetColumn(c, &col));
        EXPECT_STREQ(text, heading);
    }
    EXPECT_EQ(list.GetColumnWidth(0), 110);
    EXPECT_EQ(list.GetColumnWidth(2), 90);
    EXPECT_EQ(list.GetColumnWidth(3), 80);
}

TEST_F(DataViewTest, WithoutASceneTheTableHoldsOnlyItsLabels)
{
    CDataViewDlg dlg;
    dlg.m_strWorkDir = m_work;
    ASSERT_TRUE(dlg.Create(IDD_DATAVIEW, nullptr));
    EXPECT_EQ(dlg.m_listData.GetItemCount(), CDataViewDlg::kRows);
    EXPECT_EQ(dlg.m_listData.GetItemText(0, 0), "EQ1 Type");
    EXPECT_EQ(dlg.m_listData.GetItemText(CDataViewDlg::kGainRow, 9), "");
}

TEST_F(DataViewTest, ColumnsCannotBeDraggedWider)
{
    CDataViewDlg dlg;
    Open(dlg);
    CHeaderCtrl* header = dlg.m_listData.GetHeaderCtrl();
    Drag(*header, CPoint(110, 5), CPoint(170, 5));
    EXPECT_EQ(dlg.m_listData.GetColumnWidth(0), 110);
}

TEST_F(DataViewTest, ExportWritesTheTableIntoTheWorkbookCellByCell)
{
    std::vector<CString> proposed;
    std::string chosen;
    CFileDialog::SetHook([&](CFileDialog& fd) {
        proposed.push_back(fd.GetPathName());
        EXPECT_FALSE(fd.IsOpenDialog());
        EXPECT_FALSE(fd.GetFlags() & OFN_FILEMUSTEXIST);  // a new name may be typed
        if (chosen.empty())
            return INT_PTR(IDCANCEL);
        fd.SetPathName(chosen);
        return INT_PTR(IDOK);
    });
    CDataViewDlg dlg;
    Open(dlg);
    const std::string path = m_work + "/MusicFile/TR420.xlsx";

    Click(dlg.m_btnExport);  // cancelled
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    chosen = path;
    Click(dlg.m_btnExport);
    ASSERT_EQ(proposed.size(), 2u);
    EXPECT_EQ(proposed[0], m_work + "/MusicFile/TR420");
    EXPECT_EQ(proposed[1], proposed[0]);  // the same start both times
    ASSERT_TRUE(QFile::exists(QString::fromStdString(path)));

    const Sheet sheet = ReadWorkbook(path);
    EXPECT_EQ(sheet.name, "TR420");
    EXPECT_EQ(sheet.cells.at("A1"), "Args");
    EXPECT_EQ(sheet.cells.at("B1"), "CH1");
    EXPECT_EQ(sheet.cells.at("S1"), "CH18");
    CListCtrl& list = dlg.m_listData;
    for (int r = 0; r < CDataViewDlg::kRows; ++r)
        for (int c = 0; c < CDataViewDlg::kColumns; ++c) {
            const auto it = sheet.cells.find(Ref(r + 1, c));
            EXPECT_EQ(it == sheet.cells.end() ? CString() : it->second, list.GetItemText(r, c)) << Ref(r + 1, c);
        }
    EXPECT_EQ(sheet.cells.at(Ref(CDataViewDlg::kGainRow + 1, 9)), "-60.0dB");

    // A second export replaces the file.
    list.SetItemText(0, 1, "changed");
    Click(dlg.m_btnExport);
    EXPECT_EQ(ReadWorkbook(path).cells.at("B2"), "changed");
}

TEST_F(DataViewTest, ExportKeepsQuotesAndCommasAndNamesEveryColumn)
{
    const std::string path = m_work + "/odd/deeper/odd.xlsx";
    CFileDialog::SetHook([&](CFileDialog& fd) {
        fd.SetPathName(path);
        return INT_PTR(IDOK);
    });
    CDataViewDlg dlg;
    Open(dlg);
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &dlg, 900));
    const CString longHeading(150, 'h');
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 50);
    list.InsertColumn(1, "", LVCFMT_LEFT, 50);
    list.InsertColumn(2, longHeading.c_str(), LVCFMT_LEFT, 50);
    const char* texts[] = {"it's", "a \"quoted\", text", "x,,y", "<&>", "均衡1"};
    for (int r = 0; r < 5; ++r) {
        list.InsertItem(r, texts[r]);
        list.SetItemText(r, 1, texts[4 - r]);
    }
    ASSERT_TRUE(dlg.ExportListToExcel(&list, "TR420"));
    const Sheet sheet = ReadWorkbook(path);
    EXPECT_EQ(sheet.cells.at("A1"), "Name");
    EXPECT_EQ(sheet.cells.at("B1"), "Column2");
    EXPECT_EQ(sheet.cells.at("C1"), CString(99, 'h'));
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(sheet.cells.at(Ref(r + 1, 0)), texts[r]);
        EXPECT_EQ(sheet.cells.at(Ref(r + 1, 1)), texts[4 - r]);
    }

    // An empty list exports nothing and asks nothing.
    CListCtrl empty;
    ASSERT_TRUE(empty.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &dlg, 901));
    empty.InsertColumn(0, "Name", LVCFMT_LEFT, 50);
    QFile::remove(QString::fromStdString(path));
    EXPECT_FALSE(dlg.ExportListToExcel(&empty, "TR420"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

TEST_F(DataViewTest, AnExportThatCannotBeWrittenEndsWithoutAFile)
{
    // A file where a folder of the path should be, and a folder where the file should be.
    QFile blocker(QString::fromStdString(m_work + "/plain-file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QDir().mkpath(QString::fromStdString(m_work + "/taken.xlsx/inside"));
    struct Case {
        std::string path;
        bool message;  // a write that failed is reported; a file that cannot be replaced ends quietly
    } cases[] = {{m_work + "/plain-file/a.xlsx", true}, {m_work + "/taken.xlsx", false}};
    CDataViewDlg dlg;
    Open(dlg);
    for (const Case& k : cases) {
        CFileDialog::SetHook([&](CFileDialog& fd) {
            fd.SetPathName(k.path);
            return INT_PTR(IDOK);
        });
        std::vector<CString> messages;
        SetMessageBoxHandler([&](const CString& text, UINT, int) {
            messages.push_back(text);
            return IDOK;
        });
        EXPECT_FALSE(dlg.ExportListToExcel(&dlg.m_listData, "TR420")) << k.path;
        EXPECT_EQ(messages.size(), k.message ? 1u : 0u) << k.path;
        if (k.message && !messages.empty()) {
            EXPECT_EQ(messages[0], "Export failed: " + k.path);
        }
        EXPECT_FALSE(QFileInfo(QString::fromStdString(k.path)).isFile()) << k.path;
    }
}

TEST_F(DataViewTest, PrintingTheTableGivesRuledPagesWithHeaderAndFooter)
{
    const std::string pdf = m_work + "/table.pdf";
    CPrintDialog::SetHook([&](CPrintDialog& pd) {
        pd.SelectPdfFile(pdf);
        return INT_PTR(IDOK);
    });
    CDataViewDlg dlg;
    Open(dlg);
    Click(dlg.m_btnPrint);
    const int pages = PdfPages(pdf);
    ASSERT_GE(pages, 2);
    const std::string first = PdfText(pdf, 1);
    EXPECT_NE(first.find("Page 1 of " + std::to_string(pages)), std::string::npos);
    EXPECT_NE(first.find("This is the report of the"), std::string::npos) << first;  // "file" may be a ligature
    EXPECT_NE(first.find("Multiline!"), std::string::npos);
    EXPECT_NE(first.find("Just a vesk for the footers"), std::string::npos);
    EXPECT_NE(first.find("eventually multiline too .."), std::string::npos);
    EXPECT_NE(first.find("Args"), std::string::npos);
    EXPECT_NE(first.find("EQ1 Type"), std::string::npos);
    const std::string last = PdfText(pdf, pages);
    EXPECT_NE(last.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)), std::string::npos);
    for (int p = 1; p <= pages; ++p)
        ASSERT_FALSE(PdfPageToPng(pdf, p, ScreensDir() + "/dataview-print-page" + std::to_string(p), 96).empty());
}

TEST_F(DataViewTest, PictureInBothLanguages)
{
    struct Case {
        int chinese;
        const char* file;
        const char* caption;
        const char* label;
        const char* firstHeading;
    } cases[] = {{0, "dataview-en.png", "Report", "EQ1 Type", "Args"},
                 {1, "dataview-cn.png", "参数值显示", "均衡1类型", "参数"}};
    for (const Case& k : cases) {
        g_bChinese = k.chinese;
        CDataViewDlg dlg;
        Open(dlg);
        EXPECT_EQ(dlg.GetWindowText(), k.caption);
        EXPECT_EQ(dlg.m_listData.GetItemText(0, 0), k.label);
        EXPECT_EQ(dlg.m_btnPrint.GetWindowText(), k.chinese ? "打印" : "Print");
        EXPECT_EQ(dlg.m_btnExport.GetWindowText(), k.chinese ? "导出Excel" : "Export Excel");
        char text[32];
        LVCOLUMN col{LVCF_TEXT, 0, 0, text, int(sizeof text), 0};
        ASSERT_TRUE(dlg.m_listData.GetColumn(0, &col));
        EXPECT_STREQ(text, k.firstHeading);
        const QImage img = Grab(dlg);
        ASSERT_TRUE(img.save(QString::fromStdString(ScreensDir() + "/" + k.file)));
        // The list's background colour shows below the header.
        CRect list;
        dlg.m_listData.GetWindowRect(&list);
        dlg.ScreenToClient(&list);
        EXPECT_GT(CountNear(img, list, RGB(247, 247, 255), 0), 1000);
    }
}

}  // namespace
