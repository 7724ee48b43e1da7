// The Make a snapshot and Winner dialogs from their templates, driven with
// real keys through the modal hook. (The About box is opened from the main
// window's menu, in ShellCommandsTest.)

#include "ShellTestSupport.h"

#include "app/AppResources.h"
#include "app/CMakeSnapShotDlg.h"
#include "app/CWinnerDlg.h"
#include "app/DialogTemplates.h"
#include "app/VersionLine.h"
#include "views/win/resources/Resources.h"

#include <cstdlib>

using namespace wintest;
using namespace shelltest;
using kwin::ModalStart;

using ShellDialogsTest = OwnerWindowTest;

TEST_F(ShellDialogsTest, SnapshotDialogTakesTheNameExactlyAsTypedAndEscCancels) {
    struct Case {
        std::string typed;
        Qt::Key key;
        INT_PTR result;
        std::string name;
    };
    const std::string longName(400, 'k');
    const Case cases[] = {
        {"  before the hard part ", Qt::Key_Return, IDOK, "  before the hard part "},
        {"", Qt::Key_Return, IDOK, ""},
        {longName, Qt::Key_Return, IDOK, longName},
        {"thrown away", Qt::Key_Escape, IDCANCEL, "untouched"},
    };
    for (const Case& c : cases) {
        CMakeSnapShotDlg dialog;
        dialog.name = "untouched";
        int firstFocus = 0;
        RECT placed{};
        std::string caption;
        ModalScript script;
        script.Then([&](const ModalStart& start) {
            firstFocus = GetDlgCtrlID(GetFocus());
            placed = WindowRect(start.window);
            caption = TextOf(start.window);
            TypeInto(start.window, c.typed);
            PressKey(start.window, c.key);
        });
        EXPECT_EQ(dialog.DoModal(m_owner), c.result) << c.typed;
        EXPECT_EQ(dialog.name, c.name);
        EXPECT_EQ(firstFocus, IDC_NAME_EDIT);
        EXPECT_EQ(caption, "Make a snapshot");
        POINT origin{0, 0};
        ClientToScreen(m_owner, &origin);
        EXPECT_EQ(placed.left, origin.x) << "at the owner's client origin";
        EXPECT_EQ(placed.top, origin.y);
    }
}

TEST_F(ShellDialogsTest, WinnerShowsTheMessageReadOnlyAndTabSkipsIt) {
    const std::string longName(300, 'w');
    CWinnerDlg dialog;
    dialog.message = "You're a winner! You won in 'Easy game' in 00:07:05";
    std::string caption;
    std::string shown;
    int firstFocus = 0;
    RECT placed{};
    ModalScript script;
    script.Then([&](const ModalStart& start) {
        caption = TextOf(start.window);
        shown = ItemText(start.window, IDC_MESSAGE_EDIT);
        placed = WindowRect(start.window);
        firstFocus = GetDlgCtrlID(GetFocus());
        // Name, OK, Cancel and round to the name again: were the message line
        // a tab stop, the name would be typed into it and lost.
        for (int i = 0; i < 3; ++i) {
            PressKey(start.window, Qt::Key_Tab);
        }
        TypeInto(start.window, longName);
        PressKey(start.window, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(m_owner), IDOK);
    EXPECT_EQ(caption, "Dialog");
    EXPECT_EQ(shown, dialog.message);
    EXPECT_EQ(firstFocus, IDC_NAME_EDIT);
    EXPECT_EQ(dialog.name, longName) << "a long name is taken whole";
    const POINT dialogCentre = Centre(placed);
    const POINT ownerCentre = Centre(WindowRect(m_owner));
    EXPECT_NEAR(dialogCentre.x, ownerCentre.x, 1);
    EXPECT_NEAR(dialogCentre.y, ownerCentre.y, 1);
}

TEST(VersionLineTest, MissingVersionValuesFallBackToTheDefaults) {
    PrepareShell();
    kwin::UnregisterVersionResource("");
    const std::string line = VersionLine();
    RegisterAppResources();
    EXPECT_EQ(line, "Sudoku version Unknown (build Unknown)");
    EXPECT_EQ(VersionLine(), "Kalmora version 2.0 Beta 1 (build 2.0 Beta 1)");
}
