// The grid's comma-separated files and its printout.
#include "CGridCtrl.h"
#include "CImageList.h"
#include "CWinApp.h"
#include "ListTestKit.h"
#include "MessageBox.h"
#include "PrintDialog.h"
#include "PrinterDC.h"
#include "TestEnv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// The grid's printing steps, opened up for the tests.
class CPrintableGrid : public CGridCtrl {
public:
    using CGridCtrl::CGridCtrl;
    using CGridCtrl::OnBeginPrinting;
    using CGridCtrl::OnEndPrinting;
    int PageHeight() const { return m_nPageHeight; }
};

class GridFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        ASSERT_TRUE(m_host.Make(400, 300));
        m_host.SetWindowText("Presets");
        m_dir = TestEnv::TempDir() + "/grid-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        QDir().mkpath(QString::fromStdString(m_dir));
        SetMessageBoxHandler([this](const CString& text, UINT, int) {
            m_messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHandler({});
        CPrintDialog::SetHook({});
    }
    void Make(CGridCtrl& grid, UINT id = 700) { ASSERT_TRUE(grid.Create(CRect(0, 0, 380, 280), &m_host, id)); }
    static std::vector<std::vector<CString>> Texts(CGridCtrl& grid)
    {
        std::vector<std::vector<CString>> rows;
        for (int r = 0; r < grid.GetRowCount(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < grid.GetColumnCount(); ++c)
                rows.back().push_back(grid.GetItemText(r, c));
        }
        return rows;
    }

    CHost m_host;
    std::string m_dir;
    std::vector<CString> m_messages;
};

TEST_F(GridFileTest, SaveAndLoadRoundTripByteForByte)
{
    CGridCtrl grid(2, 2, 1, 1);
    Make(grid);
    grid.SetItemText(0, 0, "a");
    grid.SetItemText(0, 1, "b");
    grid.SetItemText(1, 0, "c");
    grid.SetItemText(1, 1, "d");
    const std::string path = m_dir + "/ab.csv";
    ASSERT_TRUE(grid.Save(path.c_str()));
    EXPECT_EQ(ReadBytes(path), "a,b\r\nc,d\r\n");

    CGridCtrl loaded(5, 5, 2, 2);
    Make(loaded, 701);
    ASSERT_TRUE(loaded.Load(path.c_str()));
    EXPECT_EQ(Texts(loaded), Texts(grid));
    EXPECT_EQ(loaded.GetFixedRowCount(), 0);
    EXPECT_EQ(loaded.GetFixedColumnCount(), 0);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(loaded.GetItemFormat(r, c), UINT(DT_CENTER | DT_VCENTER | DT_SINGLELINE)) << r << "," << c;
    // Every column as wide as its widest cell.
    std::vector<int> widths{loaded.GetColumnWidth(0), loaded.GetColumnWidth(1)};
    loaded.AutoSizeColumns();
    EXPECT_EQ(widths, (std::vector<int>{loaded.GetColumnWidth(0), loaded.GetColumnWidth(1)}));

    const std::string again = m_dir + "/again.csv";
    ASSERT_TRUE(loaded.Save(again.c_str()));
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(GridFileTest, LoadSplitsWholeLinesIntoFields)
{
    const CString longText(5000, 'z');
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::vector<CString>> rows;
    } cases[] = {
        {"empty field in the middle", "x,,y\r\n", {{"x", "", "y"}}},
        {"surplus fields dropped", "a,b\r\nc,d,e\r\n", {{"a", "b"}, {"c", "d"}}},
        {"missing fields empty", "a,b,c\r\nd\r\n", {{"a", "b", "c"}, {"d", "", ""}}},
        {"last line without line end", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"line feeds only", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
        {"an empty line is one empty field", "a\r\n\r\nb\r\n", {{"a"}, {""}, {"b"}}},
        {"empty file", "", {}},
        {"a 5000-character line is one row", longText + "\r\n" + longText + "," + longText + "\r\n",
         {{longText}, {longText}}},
        {"texts kept as they are", "\"q\" ,  sp \r\n", {{"\"q\" ", "  sp "}}},
    };
    for (const Case& k : cases) {
        const std::string path = m_dir + "/case.csv";
        WriteBytes(path, k.bytes);
        CGridCtrl grid(3, 3, 1, 1);
        Make(grid);
        ASSERT_TRUE(grid.Load(path.c_str())) << k.name;
        EXPECT_EQ(Texts(grid), k.rows) << k.name;
        grid.DestroyWindow();
    }
}

TEST_F(GridFileTest, ACommaInsideATextSplitsItOnLoading)
{
    CGridCtrl grid(1, 2);
    Make(grid);
    grid.SetItemText(0, 0, "1,5");
    grid.SetItemText(0, 1, "x");
    const std::string path = m_dir + "/comma.csv";
    ASSERT_TRUE(grid.Save(path.c_str()));
    ASSERT_TRUE(grid.Load(path.c_str()));
    EXPECT_EQ(Texts(grid), (std::vector<std::vector<CString>>{{"1", "5", "x"}}));
}

TEST_F(GridFileTest, FilesThatCannotBeOpenedAreReportedAndChangeNothing)
{
    CGridCtrl grid(1, 1);
    Make(grid);
    grid.SetItemText(0, 0, "kept");
    const std::string missing = m_dir + "/no-such-file.csv";
    const std::string badFolder = m_dir + "/no-such-folder/out.csv";
    EXPECT_FALSE(grid.Load(missing.c_str()));
    EXPECT_FALSE(grid.Save(badFolder.c_str()));
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_NE(m_messages[0].find(missing), CString::npos);
    EXPECT_NE(m_messages[1].find(badFolder), CString::npos);
    EXPECT_EQ(grid.GetItemText(0, 0), "kept");
}

class GridPrintTest : public GridFileTest {
protected:
    void SetUp() override
    {
        GridFileTest::SetUp();
        m_pdf = m_dir + "/grid.pdf";
        CPrintDialog::SetHook([this](CPrintDialog& dlg) {
            dlg.SelectPdfFile(m_pdf);
            return INT_PTR(IDOK);
        });
    }
    // A preset list: one fixed heading row and nRows rows of height nHeight.
    void Fill(CGridCtrl& grid, int nRows, int nHeight)
    {
        Make(grid);
        grid.SetRowCount(nRows + 1);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        const char* headings[] = {"No.", "Name", "State"};
        for (int c = 0; c < 3; ++c) {
            grid.SetItemText(0, c, headings[c]);
            grid.SetColumnWidth(c, 90);
        }
        for (int r = 1; r <= nRows; ++r) {
            grid.SetItemText(r, 0, std::to_string(r).c_str());
            grid.SetItemText(r, 1, ("Scene " + std::to_string(r)).c_str());
            grid.SetRowHeight(r, nHeight);
        }
    }
    std::string m_pdf;
};

TEST_F(GridPrintTest, PresetGridPrintsOnePageWithHeaderHeadingsAndFooter)
{
    CWinApp app("Tuner");  // the program's title heads every page
    CGridCtrl grid;
    Fill(grid, 6, 20);
    grid.Print();
    ASSERT_EQ(PdfPages(m_pdf), 1);
    const std::string text = PdfText(m_pdf, 1);
    for (const char* expected : {"Tuner", "Page 1 of 1", "Presets", "No.", "Name", "Scene 1", "Scene 6"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    ASSERT_FALSE(PdfPageToPng(m_pdf, 1, ScreensDir() + "/grid-print-page1", 72).empty());
}

TEST_F(GridPrintTest, PagesHoldWholeRowsUpToThePageHeight)
{
    CPrintableGrid probe;
    Fill(probe, 1, 20);
    CPrintDialog dlg(FALSE);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CDC* dc = CDC::FromHandle(dlg.GetPrinterDC());
    auto pages = [&](CPrintableGrid& grid) {
        CPrintInfo info;
        info.m_rectDraw.SetRect(0, 0, GetDeviceCaps(dc->GetSafeHdc(), HORZRES), GetDeviceCaps(dc->GetSafeHdc(), VERTRES));
        grid.OnBeginPrinting(dc, &info);
        grid.OnEndPrinting(dc, &info);
        return int(info.GetMaxPage());
    };
    pages(probe);
    const int perPage = probe.PageHeight() / 20;
    ASSERT_GT(perPage, 2);
    probe.DestroyWindow();

    struct Case {
        int rows;
        int pages;
    } cases[] = {{1, 1}, {perPage, 1}, {perPage + 1, 2}, {2 * perPage, 2}, {2 * perPage + 1, 3}};
    for (const Case& k : cases) {
        CPrintableGrid grid;
        Fill(grid, k.rows, 20);
        EXPECT_EQ(pages(grid), k.pages) << k.rows << " rows";
    }
    // The printout agrees.
    CGridCtrl grid;
    Fill(grid, perPage + 1, 20);
    grid.Print();
    ASSERT_EQ(PdfPages(m_pdf), 2);
    EXPECT_NE(PdfText(m_pdf, 2).find("Page 2 of 2"), std::string::npos);
    EXPECT_NE(PdfText(m_pdf, 2).find("Scene " + std::to_string(perPage + 1)), std::string::npos);
    EXPECT_EQ(PdfText(m_pdf, 1).find("Scene " + std::to_string(perPage + 1)), std::string::npos);
}

TEST_F(GridPrintTest, ARowTallerThanAPagePrintsAloneOnItsPage)
{
    CPrintableGrid grid;
    Fill(grid, 2, 20);
    CPrintDialog dlg(FALSE);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    CDC* dc = CDC::FromHandle(dlg.GetPrinterDC());
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, GetDeviceCaps(dc->GetSafeHdc(), HORZRES), GetDeviceCaps(dc->GetSafeHdc(), VERTRES));
    grid.OnBeginPrinting(dc, &info);
    grid.OnEndPrinting(dc, &info);
    grid.SetRowHeight(1, grid.PageHeight() + 50);

    grid.Print();
    ASSERT_EQ(PdfPages(m_pdf), 2);
    EXPECT_NE(PdfText(m_pdf, 1).find("Scene 1"), std::string::npos);
    EXPECT_EQ(PdfText(m_pdf, 1).find("Scene 2"), std::string::npos);
    EXPECT_NE(PdfText(m_pdf, 2).find("Scene 2"), std::string::npos);
}

TEST_F(GridPrintTest, AGridWithoutBodyRowsPrintsNoPage)
{
    CGridCtrl grid;
    Fill(grid, 0, 20);
    grid.Print();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_pdf)));
}

TEST_F(GridFileTest, DragImageIsThePictureOfTheFocusCell)
{
    CGridCtrl grid(3, 3, 1, 1);
    Make(grid);
    grid.SetCellBackColour(RGB(255, 255, 255));
    grid.SetCellTextColour(RGB(0, 0, 0));
    grid.SetItemText(1, 1, "WWWW");
    grid.SetColumnWidth(1, 60);
    grid.SetRowHeight(1, 24);
    CPoint hot(-1, -1);
    EXPECT_EQ(grid.CreateDragImage(&hot), nullptr);  // no focus cell
    EXPECT_EQ(hot, CPoint(-1, -1));

    grid.SetFocusCell(1, 1);
    CRect cell;
    ASSERT_TRUE(grid.GetCellBounds(1, 1, &cell));
    std::unique_ptr<CImageList> image(grid.CreateDragImage(&hot));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetImageCount(), 1);
    EXPECT_EQ(image->GetImageSize(), CSize(cell.Width(), cell.Height()));
    EXPECT_EQ(hot, CPoint(cell.Width(), cell.Height()));
    // The cell's background is the mask: transparent; the text stays.
    const QImage* pic = image->GetImage(0);
    ASSERT_NE(pic, nullptr);
    int transparent = 0, ink = 0;
    for (int y = 0; y < pic->height(); ++y)
        for (int x = 0; x < pic->width(); ++x) {
            const QRgb p = pic->pixel(x, y);
            if (qAlpha(p) == 0)
                ++transparent;
            else if (qGray(p) < 100)
                ++ink;
        }
    EXPECT_GT(transparent, pic->width() * pic->height() / 2);
    EXPECT_GT(ink, 10);
}

}  // namespace
