// The game's dialogs as a screen reader reads them: the snapshot dialog's
// edit named by its label, typed and inserted text announced, its buttons
// pressed through their action; a message box's text and button.

#include "ShellWindowFixture.h"

#include "tests/views/win/AccessibleRecorder.h"

using namespace shelltest;
using wintest::AccessibleOf;
using wintest::AccessibleRecorder;
using wintest::FindAccessible;
using wintest::NameOf;

namespace {

class AccessibleDialogsTest : public ShellWindowTest {
protected:
    AccessibleRecorder m_recorder;
};

struct Role {
    QAccessible::Role role;
    std::string name;
    friend bool operator==(const Role&, const Role&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Role& r) {
        return out << r.role << " " << r.name;
    }
};

std::vector<Role> Children(QAccessibleInterface* object) {
    std::vector<Role> children;
    for (int i = 0; i < object->childCount(); ++i) {
        children.push_back({object->child(i)->role(), NameOf(object->child(i))});
    }
    return children;
}

} // namespace

// The first time the name is typed and OK pressed, the second time Cancel.
TEST_F(AccessibleDialogsTest, TheSnapshotDialogsEditIsNamedByItsLabelAndItsButtonsPress) {
    StartGame(SolutionWithHoles({{1, 1}}));
    for (const char* button : {"OK", "Cancel"}) {
        std::vector<Role> children;
        std::string focused;
        std::string typed;
        int caret = -1;
        bool okIsDefault = false;
        wintest::ModalScript script;
        script.Then([&](const kwin::ModalStart& start) {
            QAccessibleInterface* dialog = AccessibleOf(start.window);
            ASSERT_EQ(dialog->role(), QAccessible::Dialog);
            EXPECT_EQ(NameOf(dialog), "Make a snapshot");
            children = Children(dialog);
            QAccessibleInterface* edit = wintest::DeepestFocus(dialog);
            focused = NameOf(edit);
            EXPECT_TRUE(edit->state().focused);
            EXPECT_TRUE(edit->state().editable);
            m_recorder.Clear();
            wintest::TypeInto(start.window, "Gre");
            wintest::PumpMessages(); // the edit takes the keys now, not after the step
            ASSERT_NE(edit->editableTextInterface(), nullptr);
            edit->editableTextInterface()->insertText(2, QString::fromUtf8("üß"));
            ASSERT_NE(edit->textInterface(), nullptr);
            typed = edit->textInterface()->text(0, -1).toStdString();
            caret = edit->textInterface()->cursorPosition();
            okIsDefault = FindAccessible(dialog, QAccessible::Button, "OK")->state().defaultButton;
            wintest::Press(FindAccessible(dialog, QAccessible::Button, button));
        });
        Key(Qt::Key_F4);
        EXPECT_EQ(script.Started(), 1);
        EXPECT_EQ(children,
                  (std::vector<Role>{{QAccessible::StaticText, "Enter snapshot's name:"},
                                     {QAccessible::EditableText, "Enter snapshot's name:"},
                                     {QAccessible::Button, "OK"},
                                     {QAccessible::Button, "Cancel"}}));
        EXPECT_EQ(focused, "Enter snapshot's name:");
        EXPECT_EQ(typed, "Grüße");
        EXPECT_EQ(caret, 4) << "characters, not bytes";
        EXPECT_TRUE(okIsDefault);
        std::string inserted;
        for (const wintest::HeardEvent& e : m_recorder.Heard()) {
            inserted += e.type == QAccessible::TextInserted ? "+" : "";
        }
        EXPECT_EQ(inserted, "++++") << "each typed character and the inserted text";
    }
    ASSERT_EQ(SnapshotItems().size(), 1u) << "OK took it, Cancel did not";
    EXPECT_EQ(SnapshotItems()[0].rfind("Grüße (", 0), 0u);
}

TEST_F(AccessibleDialogsTest, AMessageBoxReadsItsTextAndItsButtonPressesIt) {
    std::vector<Role> children;
    std::string focused;
    wintest::ModalScript script;
    script.Then([&](const kwin::ModalStart& start) {
        QAccessibleInterface* box = AccessibleOf(start.window);
        EXPECT_EQ(box->role(), QAccessible::Dialog);
        EXPECT_EQ(NameOf(box), "Invalid operation");
        children = Children(box);
        focused = NameOf(wintest::DeepestFocus(box));
        wintest::Press(FindAccessible(box, QAccessible::Button, "OK"));
    });
    EXPECT_EQ(MessageBox(Main(), "Maximum amount of snapshots is achived", "Invalid operation",
                         MB_ICONINFORMATION | MB_OK),
              IDOK);
    EXPECT_EQ(children, (std::vector<Role>{
                            {QAccessible::Graphic, ""},
                            {QAccessible::StaticText, "Maximum amount of snapshots is achived"},
                            {QAccessible::Button, "OK"}}));
    EXPECT_EQ(focused, "OK");
}
