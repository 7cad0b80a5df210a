// The output page's keyboard walk as a table: Left, Right and Enter from each kind of edit in
// PEQ and GEQ mode, and a walk through the page's windows landing on the right edit.
#include "COutputDlg.h"

#include <gtest/gtest.h>

namespace {

TEST(OutputKeyWalk, EachKeyLeadsToItsEditAndBand)
{
    enum Key { Left, Right, Enter };
    struct Case {
        Key key;
        bool geq;
        UINT from;
        UINT to;
        int band;
        int element;
    };
    const Case cases[] = {
        // PEQ: frequencies, then Q, then gains, then the master level.
        {Right, false, 5199, 5200, 0, -1},
        {Right, false, 5200, 5201, 1, -1},
        {Right, false, 5230, 4500, 0, -1},
        {Right, false, 4529, 4530, 30, -1},
        {Right, false, 4530, 5000, 0, -1},
        {Right, false, 5029, 5030, 30, -1},
        {Right, false, 5030, 2812, -1, -1},
        {Left, false, 5201, 5200, 0, -1},
        {Left, false, 5200, 0, -1, -1},
        {Left, false, 4500, 5230, 30, -1},
        {Left, false, 4501, 4500, 0, -1},
        {Left, false, 5000, 4530, 30, -1},
        {Left, false, 5030, 5029, 29, -1},
        // GEQ: only the gains.
        {Right, true, 4999, 5000, 0, -1},
        {Right, true, 5200, 0, -1, -1},
        {Right, true, 4530, 0, -1, -1},
        {Right, true, 5030, 2812, -1, -1},
        {Left, true, 5000, 0, -1, -1},
        {Left, true, 5001, 5000, 0, -1},
        {Left, true, 5201, 0, -1, -1},
        // The crossover and the hidden gain edit, in both modes; Left from the high-pass goes to
        // strip 7's gain edit while Right from 4002 comes back to the high-pass.
        {Right, false, 4002, 1004, -1, 31},
        {Right, true, 1004, 1005, -1, 32},
        {Right, false, 1005, 0, -1, -1},
        {Left, false, 1005, 1004, -1, 31},
        {Left, true, 1004, 2827, -1, -1},
        {Left, false, 4002, 5030, 30, -1},
        // Enter: frequency, Q, gain, next band's frequency; the last gain walks right.
        {Enter, false, 5207, 4507, 7, -1},
        {Enter, true, 4507, 5007, 7, -1},
        {Enter, false, 5007, 5208, 8, -1},
        {Enter, false, 5029, 5230, 30, -1},
        {Enter, false, 5030, 2812, -1, -1},
        {Enter, false, 1004, 1005, -1, 32},
        {Enter, true, 9999, 0, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << (c.geq ? " GEQ" : " PEQ") << " from " << c.from);
        const COutputDlg::KeyStep s =
            c.key == Enter ? COutputDlg::EnterFrom(c.from, c.geq) : COutputDlg::WalkFrom(c.from, c.key == Right, c.geq);
        EXPECT_EQ(s.target, c.to);
        EXPECT_EQ(s.band, c.band);
        EXPECT_EQ(s.element, c.element);
    }
}

}  // namespace
