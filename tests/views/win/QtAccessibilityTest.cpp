// The layer's controls as a screen reader reads them through the Qt bridge:
// roles, names, states and actions from the controls' classes, styles and
// texts; the edit's text, caret and selection with the changes announced;
// names that change announced once.

#include "AccessibleRecorder.h"
#include "ModalScript.h"
#include "QtWindowFixture.h"
#include "TestWindows.h"

#include <QTest>

using namespace wintest;

namespace {

HWND MakeControl(HWND parent, LPCSTR className, LPCSTR text, DWORD style, int id, int y) {
    HWND control =
        CreateWindowEx(0, className, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 22, parent,
                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(control, nullptr) << className;
    return control;
}

class QtAccessibilityTest : public QtWindowFixture {
protected:
    void SetUp() override {
        CreateTopLevel(SpyClass(), "Controls", 400, 300);
        m_group = MakeControl(m_top, "BUTTON", "&Options", BS_GROUPBOX, 0, 0);
        m_label = MakeControl(m_top, "STATIC", "&Name:", 0, 0, 30);
        m_edit = MakeControl(m_top, "EDIT", "", WS_TABSTOP, 100, 60);
        m_readOnly = MakeControl(m_top, "EDIT", "fixed", ES_READONLY, 101, 90);
        m_button = MakeControl(m_top, "BUTTON", "Sa&ve && quit", BS_DEFPUSHBUTTON, 102, 120);
        m_status = MakeControl(m_top, STATUSCLASSNAME, "", 0, 103, 0);
        const int parts[] = {60, -1};
        SendMessage(m_status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        Pump();
    }
    QAccessibleInterface* Of(HWND hwnd) { return AccessibleOf(hwnd); }
    void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_widget, key, modifiers);
        Pump();
    }

    AccessibleRecorder m_recorder;
    HWND m_group = nullptr;
    HWND m_label = nullptr;
    HWND m_edit = nullptr;
    HWND m_readOnly = nullptr;
    HWND m_button = nullptr;
    HWND m_status = nullptr;
};

} // namespace

TEST_F(QtAccessibilityTest, ControlsReadAsTheirClassStyleAndTextSay) {
    struct Case {
        HWND* control;
        QAccessible::Role role;
        std::string name;
    };
    const Case cases[] = {
        {&m_group, QAccessible::Grouping, "Options"},
        {&m_label, QAccessible::StaticText, "Name:"},
        {&m_edit, QAccessible::EditableText, "Name:"},
        {&m_readOnly, QAccessible::EditableText, ""},
        {&m_button, QAccessible::Button, "Save & quit"},
        {&m_status, QAccessible::StatusBar, ""},
    };
    QAccessibleInterface* top = Of(m_top);
    ASSERT_EQ(top->childCount(), 6);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        QAccessibleInterface* object = Of(*cases[i].control);
        EXPECT_EQ(top->child(static_cast<int>(i)), object) << "in their order";
        EXPECT_EQ(object->role(), cases[i].role) << i;
        EXPECT_EQ(NameOf(object), cases[i].name) << i;
        EXPECT_EQ(object->parent(), top);
    }
    EXPECT_EQ(top->role(), QAccessible::Window);
    EXPECT_EQ(NameOf(top), "Controls");
    EXPECT_EQ(Of(m_readOnly)->text(QAccessible::Value).toStdString(), "fixed");
    EXPECT_TRUE(Of(m_readOnly)->state().readOnly);
    EXPECT_FALSE(Of(m_readOnly)->state().editable);
    Of(m_readOnly)->editableTextInterface()->insertText(0, "not ");
    EXPECT_EQ(TextOf(m_readOnly), "fixed") << "a read-only edit refuses the client too";
    EXPECT_TRUE(Of(m_button)->state().defaultButton);

    Log().Clear();
    Press(Of(m_button));
    EXPECT_EQ(WParamsOf(WM_COMMAND), std::vector<WPARAM>{MAKEWPARAM(102, BN_CLICKED)});
    EnableWindow(m_button, FALSE);
    EXPECT_TRUE(Of(m_button)->state().disabled);
    Press(Of(m_button));
    EXPECT_EQ(WParamsOf(WM_COMMAND).size(), 1u) << "an unavailable button does not press";
}

TEST_F(QtAccessibilityTest, TheEditsTextCaretAndSelectionAndTheirChangesReachTheClient) {
    m_recorder.Clear();
    SetFocus(m_edit);
    Pump();
    EXPECT_EQ(m_recorder.Names(QAccessible::Focus), std::vector<std::string>{"Name:"});
    QAccessibleInterface* edit = Of(m_edit);
    QAccessibleTextInterface* text = edit->textInterface();
    ASSERT_NE(text, nullptr);
    struct Step {
        std::function<void()> act;
        std::string content;
        int caret;
        int selectionEnd; // from the caret's other end; equal to caret for none
        QAccessible::Event heard;
    };
    const Step steps[] = {
        {[&] { SetWindowText(m_edit, "Ça va"); }, "Ça va", 0, 0, QAccessible::TextInserted},
        {[&] { Keys(Qt::Key_End); }, "Ça va", 5, 5, QAccessible::TextCaretMoved},
        {[&] { Keys(Qt::Key_Backspace); }, "Ça v", 4, 4, QAccessible::TextRemoved},
        {[&] { Keys(Qt::Key_Home, Qt::ShiftModifier); }, "Ça v", 0, 4,
         QAccessible::TextSelectionChanged},
        {[&] { Keys(Qt::Key_X); }, "x", 1, 1, QAccessible::TextUpdated},
        {[&] { text->setSelection(0, 0, 1); }, "x", 1, 0, QAccessible::TextSelectionChanged},
        {[&] { edit->editableTextInterface()->replaceText(0, 1, "Où"); }, "Où", 2, 2,
         QAccessible::TextUpdated},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        m_recorder.Clear();
        steps[i].act();
        EXPECT_EQ(text->text(0, -1).toStdString(), steps[i].content) << i;
        EXPECT_EQ(text->characterCount(), QString::fromStdString(steps[i].content).size()) << i;
        EXPECT_EQ(text->cursorPosition(), steps[i].caret) << i;
        int from = -1;
        int to = -1;
        text->selection(0, &from, &to);
        EXPECT_EQ(std::max(from, to), std::max(steps[i].caret, steps[i].selectionEnd)) << i;
        EXPECT_EQ(std::min(from, to), std::min(steps[i].caret, steps[i].selectionEnd)) << i;
        bool heard = false;
        for (const HeardEvent& e : m_recorder.Heard()) {
            heard = heard || e.type == steps[i].heard;
            EXPECT_NE(e.type, QAccessible::NameChanged) << i << ": the label did not change";
        }
        EXPECT_TRUE(heard) << i;
    }
}

TEST_F(QtAccessibilityTest, ANameThatChangesIsAnnouncedOnceAndAPaneByItsNumber) {
    QAccessibleInterface* status = Of(m_status);
    ASSERT_EQ(status->childCount(), 2);
    struct Change {
        std::function<void()> act;
        std::vector<std::string> heard;
    };
    const Change changes[] = {
        {[&] { SendMessage(m_status, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("\tReady")); },
         {"Ready"}},
        {[&] { SendMessage(m_status, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("\tReady")); }, {}},
        {[&] { SendMessage(m_status, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("(1, 2)")); },
         {"(1, 2)"}},
        {[&] { SetWindowText(m_button, "&Quit"); }, {"Quit"}},
        {[&] { SetWindowText(m_button, "&Quit"); }, {}},
        {[&] { SetWindowText(m_top, "Renamed"); }, {"Renamed"}},
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        m_recorder.Clear();
        changes[i].act();
        EXPECT_EQ(m_recorder.Names(QAccessible::NameChanged), changes[i].heard) << i;
    }
    EXPECT_EQ(NameOf(status->child(1)), "Ready");
    EXPECT_EQ(status->child(1)->role(), QAccessible::StaticText);
    RECT pane{};
    SendMessage(m_status, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    MapWindowPoints(m_status, nullptr, reinterpret_cast<POINT*>(&pane), 2);
    EXPECT_EQ(status->child(0)->rect(),
              QRect(pane.left, pane.top, pane.right - pane.left, pane.bottom - pane.top));
}
