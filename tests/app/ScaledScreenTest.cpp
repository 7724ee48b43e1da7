// The game on a scaled screen (run with QT_SCALE_FACTOR 2 and 1.5, and on two
// screens of different scales), seen in the pixels the toolkit shows: every
// line of the board and the hint strip on the pixels of its logical units,
// with no seam between cells; text finer than one unit on the board, the
// strip and the About box; a click on the first or last pixel of a cell
// selecting that cell; a window moved to a screen of another scale drawn
// anew at its ratio.

#include "ShellWindowFixture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cmath>
#include <functional>

using namespace shelltest;

namespace {

constexpr QRgb Cell = qRgb(255, 255, 240);
constexpr QRgb SameLine = qRgb(220, 240, 255);
constexpr QRgb ThinLine = qRgb(127, 127, 127);
constexpr QRgb ThickLine = qRgb(0, 0, 0);

// A window's client area in the pixels its top-level window shows: logical
// unit k covers the pixels [Px(k), Px(k + 1)) from where the area begins.
class DevicePixels {
public:
    DevicePixels(QWidget* top, HWND window)
        : m_image(top->grab().toImage()), m_ratio(top->devicePixelRatioF()) {
        const QPoint at = wintest::WidgetOfWindow(window)->mapTo(top, QPoint(0, 0));
        m_origin = QPoint(Px(at.x()), Px(at.y()));
    }
    int Px(int logical) const { return static_cast<int>(std::floor(logical * m_ratio + 0.5)); }
    QPoint Origin() const { return m_origin; }
    QRgb At(int x, int y) const {
        return m_image.pixel(m_origin.x() + x, m_origin.y() + y) | 0xFF000000u;
    }
    // Every pixel of unit (x, y) has the colour.
    bool UnitIs(int x, int y, QRgb colour) const {
        bool all = true;
        for (int py = Px(y); py < Px(y + 1); ++py) {
            for (int px = Px(x); px < Px(x + 1); ++px) {
                all = all && At(px, py) == colour;
            }
        }
        return all;
    }
    // Of the units in area holding anything but the background, the share
    // whose pixels are not all one colour: 0 for a picture drawn one pixel
    // per unit and enlarged.
    double FineShare(const RECT& area, QRgb background) const {
        int inked = 0;
        int fine = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const QRgb first = At(Px(x), Px(y));
                inked += UnitIs(x, y, background) ? 0 : 1;
                fine += UnitIs(x, y, first) ? 0 : 1;
            }
        }
        return inked == 0 ? 0.0 : static_cast<double>(fine) / inked;
    }
    // The units along a row (or down a column) of length units at `at`,
    // each of the colour expected for it, on all its pixels.
    void ExpectRun(bool across, int at, int length, const std::function<QRgb(int)>& expected,
                   const char* what) const {
        for (int k = 0; k < length; ++k) {
            const QRgb colour = expected(k);
            const bool ok = across ? UnitIs(k, at, colour) : UnitIs(at, k, colour);
            ASSERT_TRUE(ok) << what << ": unit " << k << " is not " << std::hex << colour;
        }
    }

private:
    QImage m_image;
    double m_ratio;
    QPoint m_origin;
};

// The board's lines across a row or down a column of a board of `size`
// units: a unit's colour is its line's or else the fill of its cell.
QRgb BoardUnit(int k, int size, const std::function<QRgb(int)>& fillOfCell) {
    const double cell = (size - 1) / 9.0;
    const double box = (size - 1) / 3.0;
    // The 3-pixel frame (half of it outside) and the box lines.
    if (k < 2 || k >= size - 2 || std::abs(k - static_cast<int>(box)) <= 1 ||
        std::abs(k - static_cast<int>(2 * box)) <= 1) {
        return ThickLine;
    }
    int cellOfUnit = 1; // one more for each line before the unit
    for (int line = 1; line <= 8; ++line) {
        const int x = static_cast<int>(line * cell);
        cellOfUnit += x < k ? 1 : 0;
        if (k == x) {
            return ThinLine;
        }
    }
    return fillOfCell(cellOfUnit);
}

// A board with a given 3 in its middle cell and cell (3, 8) selected.
class ScaledBoardTest : public ShellWindowTest {
protected:
    void SetUp() override {
        ShellWindowTest::SetUp();
        PuzzleDigits digits{};
        digits[4 * 9 + 4] = 3; // a given 3 in the middle cell
        StartGame(digits);
        SelectCell(3, 8);
    }
    RECT Client(HWND hwnd) const {
        RECT r{};
        GetClientRect(hwnd, &r);
        return r;
    }
    // The board's cell edge k: the position of line k, as the board draws it.
    int Edge(int k) { return static_cast<int>(k * (Client(Field().GetHwnd()).right - 1) / 9.0); }
    // A click on a device pixel of the board, as the window system gives it:
    // at the pixel's edge in logical units, a fraction where the ratio has one.
    void ClickBoardPixel(const DevicePixels& board, int x, int y) {
        const double ratio = m_widget->devicePixelRatioF();
        const QPointF local((board.Origin().x() + x) / ratio, (board.Origin().y() + y) / ratio);
        const QPointF global = Window()->mapToGlobal(local);
        static int time = 0;
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons down =
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            qt_handleMouseEvent(Window(), local, global, down, Qt::LeftButton, type, Qt::NoModifier,
                                time += 1000);
        }
        Pump();
    }
    // Across row 9 and down column 9 (which cross the selection's column
    // 3 and row 8), every unit of the board has its colour.
    void ExpectBoardLines(const DevicePixels& board) {
        const int size = Client(Field().GetHwnd()).right;
        for (const int selected : {3, 8}) {
            const auto fill = [selected](int cell) { return cell == selected ? SameLine : Cell; };
            board.ExpectRun(
                selected == 3, (Edge(8) + Edge(9)) / 2, size,
                [&](int k) { return BoardUnit(k, size, fill); }, "row or column 9");
        }
    }
    RECT MiddleCell() { return RECT{Edge(4) + 2, Edge(4) + 2, Edge(5), Edge(5)}; }
};

class ScaledScreenTest : public ScaledBoardTest {
protected:
    void SetUp() override {
        ScaledBoardTest::SetUp();
        ASSERT_GT(m_widget->devicePixelRatioF(), 1.0) << "run with QT_SCALE_FACTOR above 1";
    }
};

} // namespace

// Lines on the pixels of their units and as wide, fills meeting them with no
// pixel of another colour between, and the given digit finer than a unit.
TEST_F(ScaledScreenTest, BoardLinesLieOnTheirPixelsWithoutSeamsAndItsDigitsAreFine) {
    const int size = Client(Field().GetHwnd()).right;
    const DevicePixels board(m_widget, Field().GetHwnd());
    EXPECT_TRUE(board.UnitIs(0, size / 2, ThickLine)) << "the board begins where expected";
    EXPECT_FALSE(board.UnitIs(-1, size / 2, ThickLine));
    ExpectBoardLines(board);
    EXPECT_GT(board.FineShare(MiddleCell(), Cell), 0.3) << "the 3 is drawn finer than its units";
}

// The strip's slot lines on their pixels; its digits finer than a unit.
TEST_F(ScaledScreenTest, HintStripLinesLieOnTheirPixelsAndItsDigitsAreFine) {
    const RECT client = Client(Strip().GetHwnd());
    Key(Qt::Key_Escape); // nothing selected: only the slots
    const auto unit = [&client](int k) {
        bool line = k == 0 || k == client.right - 1;
        for (int d = 1; d <= 8; ++d) {
            line = line || k == static_cast<int>(d * (client.right / 9.0));
        }
        return line ? ThinLine : Cell;
    };
    DevicePixels(m_widget, Strip().GetHwnd())
        .ExpectRun(true, client.bottom / 2, client.right, unit, "across the strip");
    SelectCell(1, 1); // an empty cell in digit mode: all nine digits
    const DevicePixels digits(m_widget, Strip().GetHwnd());
    const int slot = client.right / 9;
    const RECT five{4 * slot + 2, 1, 5 * slot - 1, client.bottom - 1};
    EXPECT_GT(digits.FineShare(five, Cell), 0.3) << "the 5 is drawn finer than its units";
}

// The About box's version line and icon, read while it is open.
TEST_F(ScaledScreenTest, AboutBoxTextAndIconAreFinerThanAUnit) {
    double text = 0;
    double icon = 0;
    wintest::ModalScript script;
    script.Then([&](const kwin::ModalStart& start) {
        wintest::PumpMessages(); // painted
        QWidget* box = wintest::WidgetOfWindow(start.window);
        for (auto [hwnd, share] :
             {std::pair{GetDlgItem(start.window, IDC_VERSION_TEXT), &text},
              std::pair{FindWindowEx(start.window, nullptr, "STATIC", ""), &icon}}) {
            const DevicePixels pixels(box, hwnd);
            const RECT area = Client(hwnd);
            *share = pixels.FineShare(area, pixels.At(0, 0));
        }
        wintest::PressKey(start.window, Qt::Key_Return);
    });
    Choose({"Help", "&About"});
    ASSERT_EQ(script.Started(), 1);
    EXPECT_GT(text, 0.3) << "the version line";
    // Most of the icon is fills, which stay whole units; its digit is fine.
    EXPECT_GT(icon, 0.01) << "the icon's digit";
}

// The first and the last pixel of a cell's first and last logical units, in
// both directions, select that cell; the pixel after its last selects the next.
TEST_F(ScaledScreenTest, AClickOnTheFirstOrLastPixelOfACellSelectsThatCell) {
    const int width = Client(Field().GetHwnd()).right - 2; // the part that takes clicks
    const auto first = [width](std::uint32_t cell) { return ((cell - 1) * width + 8) / 9; };
    const DevicePixels board(m_widget, Field().GetHwnd());
    for (std::uint32_t cell : {1u, 4u, 5u, 9u}) {
        const int firstPixel = board.Px(first(cell));
        const int lastPixel = board.Px(first(cell + 1)) - 1;
        const CellPos expected[] = {{cell, cell}, {cell, cell}, {cell + 1, cell}};
        const int x[] = {firstPixel, lastPixel, lastPixel + 1};
        for (int i = 0; i < (cell < 9 ? 3 : 2); ++i) {
            ClickBoardPixel(board, x[i], i == 0 ? lastPixel : firstPixel);
            EXPECT_EQ(Selection(), expected[i]) << "cell " << cell << ", click " << i;
        }
    }
}

using ScreenMoveTest = ScaledBoardTest;

// On two screens of ratios 1 and 2: moved to the second, the board is drawn
// anew at its ratio; moved back, it is what it was.
TEST_F(ScreenMoveTest, MovedToAScreenOfAnotherScaleTheBoardIsDrawnAnewAtItsRatio) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "run on two screens";
    ASSERT_EQ(screens[1]->devicePixelRatio(), 2 * screens[0]->devicePixelRatio());
    const auto moveTo = [this](QScreen* screen) {
        const QRect area = screen->availableGeometry();
        SetWindowPos(Main(), nullptr, area.left() + 40, area.top() + 40, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const HWND board = Field().GetHwnd();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            Pump();
            return kwin::GetWindowSurface(board)->Ratio() == screen->devicePixelRatio() &&
                   !GetUpdateRect(board, nullptr, FALSE);
        })) << "the board drawn anew on "
            << screen->name().toStdString();
    };
    const DevicePixels before(m_widget, Field().GetHwnd());
    moveTo(screens[1]);
    const DevicePixels moved(m_widget, Field().GetHwnd());
    ExpectBoardLines(moved);
    EXPECT_GT(moved.FineShare(MiddleCell(), Cell), 0.3);
    moveTo(screens[0]);
    const DevicePixels back(m_widget, Field().GetHwnd());
    const int size = Client(Field().GetHwnd()).right;
    for (int i = 0; i < size * size; ++i) {
        ASSERT_EQ(back.At(i % size, i / size), before.At(i % size, i / size))
            << "back on the first screen, pixel for pixel as before";
    }
}
