// A click whose button-up was queued before its button-down was handled
// (a quick click on a busy program; Qt's test clicks are always so) reaches
// the field view through the main window, in the main window's coordinates,
// although the view holds the capture by the time it is handled. It must end
// on the cell clicked, not on one shifted by the board's margin.

#include "ShellWindowFixture.h"

using shelltest::ShellWindowTest;

namespace {

struct QuickClick {
    QPoint at; // main window client coordinates
    CellPos expected;
};

class QuickClickTest : public ShellWindowTest, public ::testing::WithParamInterface<QuickClick> {};

TEST_P(QuickClickTest, SelectsTheCellUnderTheButton) {
    StartGame(PuzzleDigits{}, 0);
    Click(GetParam().at.x(), GetParam().at.y());
    EXPECT_EQ(Selection(), GetParam().expected);
    EXPECT_FALSE(Field().IsCaptured());
    EXPECT_EQ(GetCapture(), nullptr) << "the capture ends with the button";
}

// Points within the last 12 pixels of a cell (the board sits at 12, 12 and
// its cells are about 41 pixels wide), where a point taken in the wrong
// coordinates falls into the next cell.
INSTANTIATE_TEST_SUITE_P(
    NearTheFarEdge, QuickClickTest,
    ::testing::Values(QuickClick{{50, 50}, CellPos{1, 1}}, QuickClick{{13, 50}, CellPos{1, 1}},
                      QuickClick{{380, 381}, CellPos{9, 9}}, QuickClick{{215, 92}, CellPos{5, 2}}),
    [](const ::testing::TestParamInfo<QuickClick>& info) {
        return "At" + std::to_string(info.param.at.x()) + "_" + std::to_string(info.param.at.y());
    });

} // namespace
