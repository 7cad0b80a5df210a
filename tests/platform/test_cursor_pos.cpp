// The pointer position: SetCursorPos moves the pointer to a screen point that GetCursorPos then
// reports, corners of the screen included.
#include "TestWindows.h"

#include "WinApi.h"

#include <gtest/gtest.h>

namespace {

TEST(CursorPos, SetThenGetGivesTheSamePoint)
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(w, 0);
    const CPoint points[] = {{0, 0}, {w - 1, h - 1}, {w / 2, 17}, {3, h / 3}};
    for (const CPoint& p : points) {
        ASSERT_TRUE(SetCursorPos(p.x, p.y));
        CPoint now(-1, -1);
        ASSERT_TRUE(GetCursorPos(&now));
        EXPECT_EQ(now, p) << p.x << "," << p.y;
    }
    EXPECT_FALSE(GetCursorPos(nullptr));
}

}  // namespace
