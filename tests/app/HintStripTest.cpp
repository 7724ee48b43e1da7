// The hint strip under the board: what it shows for the selected cell, in
// pixels of its window, and which clicks it turns into digits.

#include "ShellWindowFixture.h"

using namespace shelltest;

namespace {

class HintStripTest : public ShellWindowTest {
protected:
    // Strip pixels of a colour in slot d (1-9).
    int InkInSlot(int digit, COLORREF color) {
        RECT client;
        GetClientRect(Strip().GetHwnd(), &client);
        const double s = client.right / 9.0;
        const int left = static_cast<int>((digit - 1) * s) + 2;
        const int right = static_cast<int>(digit * s) - 1;
        HDC dc = GetDC(Strip().GetHwnd());
        int n = 0;
        for (int y = 2; y < client.bottom - 2; ++y) {
            for (int x = left; x < right; ++x) {
                n += GetPixel(dc, x, y) == color ? 1 : 0;
            }
        }
        ReleaseDC(Strip().GetHwnd(), dc);
        return n;
    }
    // One count per slot of pixels that are neither background nor line.
    std::vector<int> InkPerSlot() {
        std::vector<int> counts;
        for (int d = 1; d <= 9; ++d) {
            counts.push_back(InkInSlot(d, RGB(0, 0, 0)) + InkInSlot(d, RGB(0, 0, 240)) +
                             InkInSlot(d, RGB(240, 64, 64)));
        }
        return counts;
    }
    // A click on the strip at its own client coordinates.
    void ClickStrip(int x, int y) { Click(12 + x, 400 + y); }
};

} // namespace

// What the strip shows for a given, an empty and a filled cell, and without a
// selection; then which clicks it turns into digits.
TEST_F(HintStripTest, ShowsTheSelectedCellAndTakesClicksInsideItsLastColumnsAndRows) {
    StartGame(SolutionWithHoles({{5, 5}, {6, 5}, {9, 9}}));
    ClickCell(1, 1); // a given 1
    ASSERT_TRUE(Strip().IsShown());
    EXPECT_GT(InkInSlot(1, RGB(0, 0, 0)), 20);
    const std::vector<int> ink = InkPerSlot();
    for (int d = 2; d <= 9; ++d) {
        EXPECT_EQ(ink[static_cast<std::size_t>(d - 1)], 0) << "slot " << d;
    }
    Key(Qt::Key_M);
    for (int count : InkPerSlot()) {
        EXPECT_EQ(count, 0) << "a given cell in mark mode shows nothing";
    }
    Key(Qt::Key_M);

    // An empty cell: its marks in red, the rest in blue.
    ClickCell(5, 5);
    Key(Qt::Key_3, Qt::ControlModifier);
    Key(Qt::Key_7, Qt::ControlModifier);
    for (int d = 1; d <= 9; ++d) {
        const bool marked = d == 3 || d == 7;
        EXPECT_EQ(InkInSlot(d, RGB(240, 64, 64)) > 10, marked) << "red in slot " << d;
        EXPECT_EQ(InkInSlot(d, RGB(0, 0, 240)) > 10, !marked) << "blue in slot " << d;
    }
    Key(Qt::Key_M);
    for (int d = 1; d <= 9; ++d) {
        EXPECT_GT(InkInSlot(d, RGB(240, 64, 64)), 10) << "mark mode: all red, slot " << d;
    }
    Key(Qt::Key_M);
    Key(Qt::Key_9);
    Key(Qt::Key_M);
    for (int count : InkPerSlot()) {
        EXPECT_EQ(count, 0) << "a filled cell in mark mode shows nothing";
    }
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Strip().IsShown());
    for (int count : InkPerSlot()) {
        EXPECT_EQ(count, 0) << "no selection: nine empty slots";
    }

    // Only clicks on the strip inside its last two columns and rows count.
    ClickCell(9, 9);
    const std::size_t records = Field().undo.size();
    // Between the board and the strip, beside and below the strip.
    Click(200, 394);
    Click(5, 420);
    Click(200, 460);
    ClickStrip(374, 20);
    ClickStrip(375, 20);
    ClickStrip(200, 39);
    ClickStrip(200, 40);
    EXPECT_EQ(At(9, 9).value, 0);
    EXPECT_EQ(Selection(), (CellPos{9, 9}));
    EXPECT_EQ(Field().undo.size(), records);
    ClickStrip(373, 38);
    EXPECT_EQ(At(9, 9).value, 9) << "the last pixel that counts is in slot 9";
    ClickStrip(0, 0);
    EXPECT_EQ(At(9, 9).value, 1) << "and the first in slot 1";
    EXPECT_EQ(Selection(), (CellPos{9, 9}));
}
