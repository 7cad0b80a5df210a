// Cell text on the clipboard: the exact bytes copied, and where pasted fields land.
#include "GridTestKit.h"

#include "OleData.h"

#include <QClipboard>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace GridKit;

namespace {
std::string Bytes(const std::string& s)
{
    std::string out;
    char buf[4];
    for (unsigned char c : s) {
        snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    if (!out.empty())
        out.pop_back();
    return out;
}

// Pastes text at the cell through a drop-style data object.
BOOL PasteText(CGridCtrl& g, CCellPos at, const char* text)
{
    QMimeData mime;
    mime.setText(QString::fromUtf8(text));
    COleDataObject obj;
    obj.Attach(&mime);
    return g.PasteCellsText(at, &obj);
}

struct TwoByTwo : Fixture {
    TwoByTwo()
    {
        FillPlain(*grid, 3, 3);
        grid->SetItemText(1, 1, "a");
        grid->SetItemText(1, 2, "");
        grid->SetItemText(2, 1, "c");
        grid->SetItemText(2, 2, "d");
    }
};
}  // namespace

TEST(GridClipboard, CopyBytesOfABlockAndOfAnLShape)
{
    TwoByTwo f;
    f.grid->SetSelectedRange(1, 1, 2, 2);
    std::unique_ptr<COleDataSource> src(f.grid->CopyCellsText());
    ASSERT_TRUE(src);
    EXPECT_EQ(Bytes(src->TextBlock()), "61 09 20 0A 63 09 64 00");

    f.grid->SetItemState(2, 2, f.grid->GetItemState(2, 2) & ~GVS_SELECTED);
    src.reset(f.grid->CopyCellsText());
    ASSERT_TRUE(src);
    EXPECT_EQ(Bytes(src->TextBlock()), "61 09 20 0A 63 09 00");

    f.grid->SetSelectedRange(-1, -1, -1, -1);
    EXPECT_EQ(f.grid->CopyCellsText(), nullptr);
}

TEST(GridClipboard, PasteMapsFieldsOntoCells)
{
    struct Case {
        int cols;
        const char* text;
        std::vector<std::pair<CCellPos, CString>> want;
    } cases[] = {
        {4, "1,2\t3\r\n4", {{{1, 1}, "1"}, {{1, 2}, "2"}, {{1, 3}, "3"}, {{2, 1}, "4"}}},
        {3, "1,2\t3\r\n4", {{{1, 1}, "1"}, {{1, 2}, "2"}, {{2, 1}, "4"}}},  // (1,3) does not exist
        {3, "x\n\ny", {{{1, 1}, "x"}, {{2, 1}, ""}, {{3, 1}, "y"}}},
        {3, "p,,\t q \t,r", {{{1, 1}, "p"}, {{1, 2}, "q"}}},  // runs of separators count once
    };
    for (const auto& c : cases) {
        Fixture f;
        FillPlain(*f.grid, 5, c.cols);
        ASSERT_TRUE(PasteText(*f.grid, CCellPos(1, 1), c.text)) << c.text;
        for (const auto& w : c.want) {
            EXPECT_EQ(f.grid->GetItemText(w.first.row, w.first.col), w.second)
                << c.text << " at " << w.first.row << "," << w.first.col;
            EXPECT_TRUE(f.grid->GetItemState(w.first.row, w.first.col) & GVS_MODIFIED);
        }
        EXPECT_EQ(f.grid->GetItemText(4, 1), "4,1");  // rows past the text keep theirs
    }
}

TEST(GridClipboard, PasteSkipsReadOnlyTargetsButKeepsTheirPlace)
{
    Fixture f;
    FillPlain(*f.grid, 3, 4);
    f.grid->SetItemState(1, 2, GVS_READONLY);
    f.grid->SetSelectedRange(1, 1, 1, 3);
    ASSERT_TRUE(PasteText(*f.grid, CCellPos(1, 1), "p\tq\tr"));
    EXPECT_EQ(f.grid->GetItemText(1, 1), "p");
    EXPECT_EQ(f.grid->GetItemText(1, 2), "1,2");
    EXPECT_EQ(f.grid->GetItemText(1, 3), "r");
    EXPECT_FALSE(f.grid->GetItemState(1, 1) & GVS_SELECTED);  // written cells are unselected
    EXPECT_FALSE(f.grid->GetItemState(1, 3) & GVS_SELECTED);
    // Each written cell is announced before and after.
    const auto begins = f.host.Of(GVN_BEGINEDIT), ends = f.host.Of(GVN_ENDEDIT);
    ASSERT_EQ(begins.size(), 2u);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[1].col, 3);
}

TEST(GridClipboard, PasteIsRefusedWithEditingOffOrABadStart)
{
    Fixture f;
    FillPlain(*f.grid, 3, 3);
    EXPECT_FALSE(PasteText(*f.grid, CCellPos(5, 1), "z"));
    f.grid->SetItemState(1, 1, GVS_READONLY);
    EXPECT_FALSE(PasteText(*f.grid, CCellPos(1, 1), "z"));
    f.grid->SetEditEnabled(FALSE);
    EXPECT_FALSE(PasteText(*f.grid, CCellPos(2, 2), "z"));
    EXPECT_EQ(f.grid->GetItemText(2, 2), "2,2");
    EXPECT_FALSE(f.grid->GetModified());
}

TEST(GridClipboard, CommandsFollowSelectionAndEditing)
{
    TwoByTwo f;
    f.grid->SetSelectedRange(1, 1, 1, 1);
    EXPECT_TRUE(f.grid->CanEditCopy());
    EXPECT_TRUE(f.grid->CanEditCut());
    f.grid->SetEditEnabled(FALSE);
    EXPECT_TRUE(f.grid->CanEditCopy());
    EXPECT_FALSE(f.grid->CanEditCut());
    EXPECT_FALSE(f.grid->CanEditPaste());
    EXPECT_TRUE(f.grid->CanEditSelectAll());
}

TEST(GridClipboard, CopyAndPasteThroughTheDesktopClipboard)
{
    TwoByTwo f;
    QApplication::clipboard()->setText("untouched");
    // Ctrl+C without a focus cell does nothing.
    f.grid->SetSelectedRange(1, 1, 2, 2);
    QTest::keyClick(f.grid->GetWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "untouched");

    f.grid->SetFocusCell(1, 1);
    f.grid->SetSelectedRange(1, 1, 2, 2);
    QTest::keyClick(f.grid->GetWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "a\t \nc\td");

    Fixture other;
    FillPlain(*other.grid, 4, 4);
    other.grid->SetFocusCell(2, 2);
    QTest::keyClick(other.grid->GetWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(other.grid->GetItemText(2, 2), "a");
    EXPECT_EQ(other.grid->GetItemText(2, 3), "");  // the single space, trimmed
    EXPECT_EQ(other.grid->GetItemText(3, 2), "c");
    EXPECT_EQ(other.grid->GetItemText(3, 3), "d");

    // Ctrl+X empties the copied cells; on the preset list (editing off) it does nothing.
    other.grid->SetFocusCell(3, 3);
    other.grid->SetSelectedRange(3, 2, 3, 3);
    QTest::keyClick(other.grid->GetWidget(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "c\td");
    EXPECT_EQ(other.grid->GetItemText(3, 2), "");
    other.grid->SetEditEnabled(FALSE);
    other.grid->SetItemText(1, 1, "stay");
    other.grid->SetFocusCell(1, 1);
    QTest::keyClick(other.grid->GetWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(other.grid->GetItemText(1, 1), "stay");
}

TEST(GridClipboard, DropsAreRefusedWhileDragAndDropIsOff)
{
    Fixture f;
    FillPlain(*f.grid, 4, 4);
    QMimeData mime;
    mime.setText("dropped");
    COleDataObject obj;
    obj.Attach(&mime);
    EXPECT_EQ(f.grid->DragEnterCell(&obj, 0, CPoint(60, 30)), DROPEFFECT_NONE);
    EXPECT_FALSE(f.grid->DropOnCell(&obj, DROPEFFECT_COPY, CPoint(60, 30)));

    f.grid->SetDragDropEnabled(TRUE);
    EXPECT_EQ(f.grid->DragEnterCell(&obj, 0, CPoint(60, 30)), DROPEFFECT_MOVE);
    EXPECT_TRUE(f.grid->GetItemState(1, 1) & GVS_DROPHILITED);
    EXPECT_EQ(f.grid->DragOverCell(&obj, MK_CONTROL_DRAG, CPoint(110, 50)), DROPEFFECT_COPY);
    EXPECT_FALSE(f.grid->GetItemState(1, 1) & GVS_DROPHILITED);
    EXPECT_TRUE(f.grid->DropOnCell(&obj, DROPEFFECT_COPY, CPoint(110, 50)));
    EXPECT_EQ(f.grid->GetItemText(2, 2), "dropped");
    EXPECT_FALSE(f.grid->GetItemState(2, 2) & GVS_DROPHILITED);
}
