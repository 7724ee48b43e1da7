// In-place editing of an editable table through real keys: F2, a typed
// character, the input mask, Esc, and the parent's say at both ends.

#include "GridFixture.h"

#include "tests/views/win/ModalScript.h"

using namespace gridtest;

namespace {

class GridEditTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        Fill(m_grid, 5, 4);
        ClickCell(m_grid, 2, 2);
        m_grid.SetModified(false, 2, 2);
        m_notes.clear();
    }
    HWND Edit() const { return FindWindowEx(m_grid.GetHwnd(), nullptr, "EDIT", nullptr); }
    std::string EditText() const { return wintest::TextOf(Edit()); }
};

} // namespace

TEST_F(GridEditTest, F2EditsAtTheEndOfTheTextEnterKeepsItAndClosingTheWindowEndsIt) {
    Key(m_grid, Qt::Key_F2);
    ASSERT_NE(Edit(), nullptr);
    EXPECT_EQ(GetFocus(), Edit());
    EXPECT_EQ(EditText(), "2,2");
    EXPECT_TRUE(m_grid.GetCell(2, 2)->IsEditing());
    const RECT cell = Rect(2, 2);
    RECT box{};
    GetWindowRect(Edit(), &box);
    MapWindowPoints(nullptr, m_grid.GetHwnd(), reinterpret_cast<LPPOINT>(&box), 2);
    EXPECT_EQ(box.left, cell.left);
    EXPECT_EQ(box.top, cell.top);
    Type(m_grid, "xy");
    EXPECT_EQ(EditText(), "2,2xy");
    Key(m_grid, Qt::Key_Return);
    EXPECT_EQ(Edit(), nullptr) << "the box is gone";
    EXPECT_EQ(m_grid.GetItemText(2, 2), "2,2xy");
    EXPECT_TRUE(m_grid.GetCell(2, 2)->IsModified());
    EXPECT_FALSE(m_grid.GetCell(2, 2)->IsEditing());
    EXPECT_EQ(GetFocus(), m_grid.GetHwnd());
    EXPECT_EQ(m_notes, (std::vector<Notified>{{GridNotifyCode::BeginLabelEdit, 2, 2},
                                              {GridNotifyCode::EndLabelEdit, 2, 2}}));

    // Closing the window while editing ends the edit.
    Key(m_grid, Qt::Key_F2);
    Type(m_grid, "q");
    ASSERT_NE(Edit(), nullptr);
    DestroyWindow(m_parent);
    Pump();
    EXPECT_FALSE(m_grid.IsWindow());
    EXPECT_FALSE(m_grid.GetCell(2, 2)->IsEditing());
    EXPECT_EQ(m_grid.GetCell(2, 2)->GetEditWnd(), nullptr);
}

// A character outside the input mask starts nothing; one inside replaces
// the text, and an arrow or Tab ends such an edit (after F2 the arrows move the
// caret).
TEST_F(GridEditTest, ATypedCharacterReplacesTheTextAndArrowsOrTabEndTheEdit) {
    m_grid.GetCell(2, 2)->SetInputMask(GridInputClass::Digit);
    Type(m_grid, "a");
    EXPECT_EQ(Edit(), nullptr) << "a letter does not start editing a digits-only cell";
    Type(m_grid, "5b6");
    ASSERT_NE(Edit(), nullptr);
    EXPECT_EQ(EditText(), "56");
    Key(m_grid, Qt::Key_Down);
    EXPECT_EQ(Edit(), nullptr);
    EXPECT_EQ(m_grid.GetItemText(2, 2), "56");
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{3, 2}));

    Type(m_grid, "Q");
    ASSERT_NE(Edit(), nullptr);
    EXPECT_EQ(EditText(), "Q");
    Type(m_grid, "rs");
    Key(m_grid, Qt::Key_Tab);
    EXPECT_EQ(m_grid.GetItemText(3, 2), "Qrs");
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{3, 3})) << "Tab ended the edit and moved on";

    Key(m_grid, Qt::Key_F2);
    Key(m_grid, Qt::Key_Left);
    EXPECT_NE(Edit(), nullptr) << "after F2 the arrows move the caret";
    Key(m_grid, Qt::Key_Escape);
}

// Esc gives back the old text without asking; a zero reply to the end of an
// edit rejects the change and a negative one to its start cancels it.
TEST_F(GridEditTest, EscAndTheParentsRepliesKeepTheOldText) {
    Key(m_grid, Qt::Key_F2);
    Type(m_grid, "zz");
    Key(m_grid, Qt::Key_Escape);
    EXPECT_EQ(Edit(), nullptr);
    EXPECT_EQ(m_grid.GetItemText(2, 2), "2,2");
    EXPECT_FALSE(m_grid.GetCell(2, 2)->IsModified());
    EXPECT_EQ(m_notes, (std::vector<Notified>{{GridNotifyCode::BeginLabelEdit, 2, 2}}));

    m_parentSpy.SetReply(WM_NOTIFY, 0); // to both ends of the edit
    Key(m_grid, Qt::Key_F2);
    Type(m_grid, "!");
    Key(m_grid, Qt::Key_Return);
    EXPECT_EQ(m_notes.back(), (Notified{GridNotifyCode::EndLabelEdit, 2, 2}));
    EXPECT_EQ(m_grid.GetItemText(2, 2), "2,2") << "a zero reply rejects the change";
    EXPECT_FALSE(m_grid.GetCell(2, 2)->IsModified());

    m_parentSpy.SetReply(WM_NOTIFY, -1);
    m_notes.clear();
    Key(m_grid, Qt::Key_F2);
    EXPECT_EQ(Edit(), nullptr) << "a negative reply cancels the edit";
    EXPECT_EQ(m_notes, (std::vector<Notified>{{GridNotifyCode::BeginLabelEdit, 2, 2}}));
}

TEST_F(GridEditTest, ClickingTheFocusCellsTextEditsItUnlessItIsReadOnly) {
    const RECT cell = Rect(2, 2);
    const int onText = cell.left + static_cast<int>(m_grid.GetCell(2, 2)->GetMargin()) + 2;
    Click(m_grid, cell.right - 2, cell.top + 5);
    EXPECT_EQ(Edit(), nullptr) << "beside the text nothing starts";
    Click(m_grid, onText, cell.top + 10);
    ASSERT_NE(Edit(), nullptr);
    EXPECT_EQ(EditText(), "2,2");
    ClickCell(m_grid, 4, 1);
    EXPECT_EQ(Edit(), nullptr) << "a click elsewhere ends it";
    EXPECT_EQ(m_grid.GetFocusCell(), (CellId{4, 1}));

    m_grid.SetItemState(4, 1, m_grid.GetItemState(4, 1) | GridCellState::ReadOnly);
    Key(m_grid, Qt::Key_F2);
    Type(m_grid, "k");
    EXPECT_EQ(Edit(), nullptr) << "a read-only cell is never edited";
    EXPECT_EQ(m_grid.GetItemText(4, 1), "4,1");
}
