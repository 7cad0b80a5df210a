// Printing a report list: the job's page loop, pagination, page ranges, the ruled table with its
// header and footer on PDF pages, and jobs that have nothing to print.
#include "CListCtrlPrint.h"
#include "ListTestKit.h"
#include "PrintDialog.h"
#include "PrinterDC.h"
#include "TestEnv.h"

#include "CFileDialog.h"
#include "CListCtrl.h"

#include <gtest/gtest.h>

namespace {

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureSharedGdiObjects();
        ASSERT_TRUE(m_host.Make(400, 300));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &m_host, 600));
        m_pdf = TestEnv::TempDir() + "/list-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf";
        QFile::remove(QString::fromStdString(m_pdf));
        // The print dialog answers "print to this file" (and a page range when asked).
        CPrintDialog::SetHook([this](CPrintDialog& dlg) {
            ++m_dialogs;
            if (m_cancel)
                return INT_PTR(IDCANCEL);
            if (m_from) {
                dlg.m_pd.Flags |= PD_PAGENUMS;
                dlg.m_pd.nFromPage = WORD(m_from);
                dlg.m_pd.nToPage = WORD(m_to);
            }
            dlg.SelectPdfFile(m_pdf);
            return INT_PTR(IDOK);
        });
    }
    void TearDown() override { CPrintDialog::SetHook({}); }

public:
    void Columns(std::initializer_list<std::pair<int, int>> widthAndFormat)
    {
        int c = 0;
        for (const auto& [width, fmt] : widthAndFormat)
            m_list.InsertColumn(c, ("Col" + std::to_string(c)).c_str(), fmt, width), ++c;
    }
    void Rows(int n)
    {
        for (int r = 0; r < n; ++r) {
            m_list.InsertItem(r, ("row" + std::to_string(r + 1)).c_str());
            m_list.SetItemText(r, 1, "mid");
        }
    }
    // Runs the job's preparation and page set-up on a page of the size (the printer's when
    // empty); the printer context, or null when the job would print nothing.
    CDC* Begin(CListCtrlPrint& job, CPrintInfo& info, CSize page = CSize(0, 0))
    {
        job.m_pList = &m_list;
        if (!job.OnPreparePrinting(&info))
            return nullptr;
        CDC* dc = CDC::FromHandle(info.m_pPD->GetPrinterDC());
        if (page.cx == 0)
            page = CSize(GetDeviceCaps(dc->GetSafeHdc(), HORZRES), GetDeviceCaps(dc->GetSafeHdc(), VERTRES));
        info.m_rectDraw.SetRect(0, 0, page.cx, page.cy);
        job.OnBeginPrinting(dc, &info);
        return dc;
    }
    // The rows one page holds, as the job works it out for this paper.
    int RowsPerPage()
    {
        CListCtrlPrint job;
        job.m_strHeader = "Header";
        job.m_strFooter = "Footer";
        job.m_strPageFormat = "Page %d of %d";
        CPrintInfo info;
        EXPECT_NE(Begin(job, info), nullptr);
        return job.m_nRowsPerPage;
    }
    void Print()
    {
        CListCtrlPrint job;
        job.m_pList = &m_list;
        job.m_strHeader = "Header";
        job.m_strFooter = "Footer";
        job.m_strPageFormat = "Page %d of %d";
        job.OnFilePrint();
    }
    bool PdfWritten() const { return QFile::exists(QString::fromStdString(m_pdf)); }

protected:

    CHost m_host;
    CListCtrl m_list;
    std::string m_pdf;
    int m_dialogs = 0;

public:
    bool m_cancel = false;

protected:
    int m_from = 0;
    int m_to = 0;
};

TEST_F(PrintTest, PagesFollowTheRowsPerPage)
{
    Columns({{100, LVCFMT_LEFT}, {100, LVCFMT_CENTER}});
    Rows(1);
    const int perPage = RowsPerPage();
    ASSERT_GT(perPage, 5);
    m_list.DeleteAllItems();

    struct Case {
        int rows;
        int pages;
    } cases[] = {
        {1, 1},                  // fewer rows than a page: one page
        {perPage, 1},            // exact fill: no extra page
        {perPage + 1, 2},
        {2 * perPage, 2},
        {2 * perPage + 1, 3},
    };
    for (const Case& k : cases) {
        m_list.DeleteAllItems();
        Rows(k.rows);
        QFile::remove(QString::fromStdString(m_pdf));
        Print();
        EXPECT_EQ(PdfPages(m_pdf), k.pages) << k.rows << " rows";
        const std::string last = PdfText(m_pdf, k.pages);
        EXPECT_NE(last.find("Page " + std::to_string(k.pages) + " of " + std::to_string(k.pages)), std::string::npos)
            << k.rows << " rows";
        EXPECT_NE(last.find("row" + std::to_string(k.rows)), std::string::npos) << k.rows << " rows";
    }
}

TEST_F(PrintTest, APageRangeIsKeptWithinTheDocument)
{
    Columns({{100, LVCFMT_LEFT}, {100, LVCFMT_LEFT}});
    Rows(1);
    const int perPage = RowsPerPage();
    m_list.DeleteAllItems();
    Rows(3 * perPage);  // three pages
    struct Case {
        int from, to;
        int pages;
        int firstShown;
    } cases[] = {{2, 3, 2, 2}, {2, 40, 2, 2}, {3, 3, 1, 3}};
    for (const Case& k : cases) {
        m_from = k.from;
        m_to = k.to;
        QFile::remove(QString::fromStdString(m_pdf));
        Print();
        EXPECT_EQ(PdfPages(m_pdf), k.pages) << k.from << "-" << k.to;
        EXPECT_NE(PdfText(m_pdf, 1).find("Page " + std::to_string(k.firstShown) + " of 3"), std::string::npos)
            << k.from << "-" << k.to;
    }
}

TEST_F(PrintTest, NothingToPrintWritesNothing)
{
    struct Case {
        const char* name;
        std::function<void(PrintTest&)> setUp;
        bool asksDialog;
    } cases[] = {
        {"no rows", [](PrintTest& t) { t.Columns({{100, LVCFMT_LEFT}}); }, false},
        {"no columns", [](PrintTest& t) { t.Rows(3); }, false},
        {"zero-width columns", [](PrintTest& t) { t.Columns({{0, LVCFMT_LEFT}, {0, LVCFMT_LEFT}}), t.Rows(3); }, false},
        {"dialog cancelled",
         [](PrintTest& t) {
             t.Columns({{100, LVCFMT_LEFT}});
             t.Rows(3);
             t.m_cancel = true;
         },
         true},
    };
    for (const Case& k : cases) {
        m_list.DeleteAllItems();
        while (m_list.DeleteColumn(0)) {
        }
        m_cancel = false;
        m_dialogs = 0;
        k.setUp(*this);
        Print();
        EXPECT_FALSE(PdfWritten()) << k.name;
        EXPECT_EQ(m_dialogs, k.asksDialog ? 1 : 0) << k.name;
    }
    // Without a list at all.
    CListCtrlPrint job;
    job.OnFilePrint();
    EXPECT_FALSE(PdfWritten());
}

TEST_F(PrintTest, ADocumentWithoutPagesOrCutShortLeavesNoFile)
{
    CPrintDialog dlg(FALSE);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const HDC hDC = dlg.GetPrinterDC();
    DOCINFO doc{int(sizeof(DOCINFO)), "none", nullptr, nullptr, 0};
    ASSERT_GT(StartDoc(hDC, &doc), 0);
    EXPECT_GT(EndDoc(hDC), 0);
    EXPECT_FALSE(PdfWritten());

    ASSERT_GT(StartDoc(hDC, &doc), 0);
    ASSERT_GT(StartPage(hDC), 0);
    EXPECT_EQ(StartPage(hDC), SP_ERROR);  // a page is open
    EXPECT_GT(AbortDoc(hDC), 0);
    EXPECT_FALSE(PdfWritten());

    // The calls refuse a context that is no printer.
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    EXPECT_EQ(StartDoc(memory.GetSafeHdc(), &doc), SP_ERROR);
    EXPECT_EQ(GetDeviceCaps(memory.GetSafeHdc(), LOGPIXELSX), 96);
    EXPECT_GT(GetDeviceCaps(hDC, HORZRES), 500);
}

TEST_F(PrintTest, PageHeaderAndFooterBandsMeasureTheirTexts)
{
    Columns({{100, LVCFMT_LEFT}});
    Rows(2);
    CListCtrlPrint job;
    CPrintInfo info;
    CDC* dc = Begin(job, info, CSize(700, 1000));
    ASSERT_NE(dc, nullptr);

    // Empty texts take no room: the headings start at the top margin.
    CRect rc(0, 0, 700, 1000);
    job.ApplyMargins(dc, rc);
    const int top = rc.top;
    EXPECT_EQ(top, 37);  // 10 mm at 96 units per inch
    EXPECT_EQ(job.PrintPageHeader(dc, rc, 1, 2, TRUE).cy, 0);
    EXPECT_EQ(rc.top, top);
    EXPECT_EQ(job.PrintPageFooter(dc, rc, TRUE).cy, 0);

    job.m_strHeader = "one\r\ntwo\r\n";
    job.m_strPageFormat = "Page %d of %d";
    const int twoLines = job.PrintPageHeader(dc, rc, 1, 2, TRUE).cy;
    job.m_strHeader = "one";
    CRect again(0, 0, 700, 1000);
    const int oneLine = job.PrintPageHeader(dc, again, 1, 2, TRUE).cy;
    EXPECT_GT(twoLines, oneLine);
    EXPECT_EQ(rc.top, top + twoLines);

    // The page format is the owner's text: only two %d are filled, nothing else is read.
    struct Case {
        const char* format;
        const char* text;
    } cases[] = {{"Page %d of %d", "Page 2 of 5"}, {"%d/%d %d", "2/5 %d"}, {"%s %d%%", "%s 2%"}, {"", ""}};
    for (const Case& k : cases) {
        job.m_strPageFormat = k.format;
        EXPECT_EQ(job.PageText(2, 5), k.text) << k.format;
    }
}

TEST_F(PrintTest, APageTooSmallForARowStillPrintsOneRowPerPage)
{
    Columns({{100, LVCFMT_LEFT}});
    Rows(3);
    CListCtrlPrint job;
    job.m_strHeader = "Header";
    job.m_strFooter = "Footer";
    job.m_strPageFormat = "Page %d of %d";
    CPrintInfo info;
    ASSERT_NE(Begin(job, info, CSize(300, 120)), nullptr);
    EXPECT_EQ(job.m_nRowsPerPage, 1);
    EXPECT_EQ(info.GetMaxPage(), 3u);
}

TEST_F(PrintTest, RuledTableFillsTheWidthBetweenTheMarginsOnThePage)
{
    // Widths 50, 150 on screen: the same proportions on paper.
    Columns({{50, LVCFMT_LEFT}, {150, LVCFMT_CENTER}});
    Rows(4);
    CListCtrlPrint job;
    CPrintInfo info;
    ASSERT_NE(Begin(job, info, CSize(800, 1000)), nullptr);
    ASSERT_EQ(job.m_pColLeft.size(), 3u);
    const int width = 800 - 2 * 37;
    EXPECT_EQ(job.m_pColLeft[0], 0);
    EXPECT_EQ(job.m_pColLeft[1], width / 4);
    EXPECT_EQ(job.m_pColLeft[2], width);
    EXPECT_EQ(info.GetMaxPage(), 1u);

    QFile::remove(QString::fromStdString(m_pdf));
    Print();
    ASSERT_EQ(PdfPages(m_pdf), 1);
    const std::string png = PdfPageToPng(m_pdf, 1, ScreensDir() + "/list-print-page1", 96);
    ASSERT_FALSE(png.empty());
    QImage page(QString::fromStdString(png));
    ASSERT_FALSE(page.isNull());
    // Every band of the page is ruled, the empty ones below the last row included: three
    // vertical rules (left, column edge, right) across most pixel rows of the table, and a
    // horizontal rule per band.
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    int threeRules = 0;
    for (int y = page.height() / 4; y < page.height() / 4 + 40; ++y) {
        int verticals = 0;
        for (int x = 1; x < page.width(); ++x)
            if (dark(x, y) && !dark(x - 1, y))
                ++verticals;
        if (verticals == 3)
            ++threeRules;
    }
    EXPECT_GE(threeRules, 30);
    int rules = 0;
    const int x = page.width() / 2 - 40;
    for (int y = 1; y < page.height(); ++y)
        if (dark(x, y) && !dark(x, y - 1))
            ++rules;
    EXPECT_GE(rules, job.m_nRowsPerPage);
}

TEST_F(PrintTest, PrintingToAFileNotYetNamedAsksForItsName)
{
    Columns({{100, LVCFMT_LEFT}});
    Rows(2);
    CPrintDialog::SetHook([](CPrintDialog& dlg) {
        dlg.SelectPdfFile("");
        return INT_PTR(IDOK);
    });
    struct Case {
        bool choose;
    } cases[] = {{false}, {true}};
    for (const Case& k : cases) {
        std::vector<CString> proposed;
        CFileDialog::SetHook([&](CFileDialog& fd) {
            proposed.push_back(fd.GetPathName());
            if (!k.choose)
                return INT_PTR(IDCANCEL);
            fd.SetPathName(m_pdf);
            return INT_PTR(IDOK);
        });
        Print();
        CFileDialog::SetHook({});
        ASSERT_EQ(proposed.size(), 1u);
        EXPECT_EQ(proposed[0], "Output.pdf");
        EXPECT_EQ(PdfWritten(), k.choose);
    }
    EXPECT_EQ(PdfPages(m_pdf), 1);
}

TEST_F(PrintTest, ColumnsPrintAlignedByTheirHeaderFormat)
{
    // Three equal columns: left, centred, right; each row's words sit where the format says.
    m_list.InsertColumn(0, "West", LVCFMT_LEFT, 100);
    m_list.InsertColumn(1, "Middle", LVCFMT_CENTER, 100);
    m_list.InsertColumn(2, "East", LVCFMT_RIGHT, 100);
    m_list.InsertItem(0, "left");
    m_list.SetItemText(0, 1, "centre");
    m_list.SetItemText(0, 2, "right");
    Print();
    ASSERT_EQ(PdfPages(m_pdf), 1);
    // The table spans the printable width less 10 mm a side (in points, 0.75 per unit; the
    // printable area stands centred on the page).
    CPrintDialog dlg(FALSE);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    const double printable = GetDeviceCaps(dlg.GetPrinterDC(), HORZRES) * 0.75;
    const double pageWidth = PdfPageWidth(m_pdf);
    ASSERT_GT(pageWidth, printable);
    const double margin = (pageWidth - printable) / 2 + 10 / 25.4 * 72;
    struct Case {
        const char* word;
        int column;
        int align;  // 0 left, 1 centre, 2 right
    } cases[] = {{"West", 0, 0}, {"left", 0, 0}, {"Middle", 1, 1}, {"centre", 1, 1}, {"East", 2, 2}, {"right", 2, 2}};
    const double column = (printable - 2 * 10 / 25.4 * 72) / 3;
    for (const Case& k : cases) {
        const auto [x0, x1] = PdfWordSpan(m_pdf, 1, k.word);
        ASSERT_GE(x0, 0) << k.word;
        const double left = margin + k.column * column;
        switch (k.align) {
        case 0: EXPECT_NEAR(x0, left + 1.5, 2.5) << k.word; break;
        case 1: EXPECT_NEAR((x0 + x1) / 2, left + column / 2, 2.5) << k.word; break;
        default: EXPECT_NEAR(x1, left + column - 1.5, 2.5) << k.word; break;
        }
    }
}

}  // namespace
