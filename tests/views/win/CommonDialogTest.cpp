// Message boxes (a box over a box too) and the open and save file dialogs,
// kept with their owners and answered by the test, the overwrite prompt, and
// the clipboard through the desktop's clipboard.

#include "tests/support/MessageLog.h"

#include "ModalScript.h"
#include "QtWindowFixture.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace wintest;
using kwin::ModalKind;
using kwin::ModalStart;

namespace {

constexpr int MessageTextId = 0xFFFF;
const char SudokuFilter[] = "Sudoku Files\0*.sdk\0All Files\0*.*\0";

class CommonDialogTest : public QtWindowFixture {
protected:
    void SetUp() override {
        CreateTopLevel(SpyClass(0), "owner", 500, 400);
        char pattern[] = "/tmp/kalmora-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        QtWindowFixture::TearDown();
        std::filesystem::remove_all(m_dir);
    }
    OPENFILENAME Request(DWORD flags) {
        OPENFILENAME ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = m_top;
        ofn.lpstrFilter = SudokuFilter;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = m_file;
        ofn.nMaxFile = sizeof(m_file);
        ofn.lpstrInitialDir = m_dir.c_str();
        ofn.lpstrDefExt = "sdk";
        ofn.Flags = flags;
        return ofn;
    }
    std::string PathOf(const std::string& name) const { return m_dir + "/" + name; }

    std::string m_dir;
    char m_file[MAX_PATH] = {};
};

// Chooses a name in the file dialog's folder and presses Enter in its name field.
void ChooseName(const ModalStart& start, const std::string& name) {
    QFileDialog* dialog = FileDialogOf(start);
    ASSERT_NE(dialog, nullptr);
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    dialog->selectFile(QString::fromStdString(name));
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

TEST_F(CommonDialogTest, MessageBoxesShowTheirTextCaptionIconAndButtons) {
    std::string text;
    std::string caption;
    bool hasIcon = false;
    bool ownerDisabled = false;
    bool modalForOwner = false;
    bool nestedModal = false;
    bool boxTookActivation = false;
    int buttons = 0;
    ModalScript script;
    script.Then([&](const ModalStart& start) {
        EXPECT_EQ(start.kind, ModalKind::MessageBox);
        text = ItemText(start.window, MessageTextId);
        caption = TextOf(start.window);
        hasIcon = FindWindowEx(start.window, nullptr, "STATIC", "") != nullptr;
        ownerDisabled = !IsWindowEnabled(m_top);
        QWidget* box = WidgetOfWindow(start.window);
        modalForOwner = IsModalFor(box, m_widget);
        // The desktop activates the disabled owner (a click on it): the box
        // takes the activation back.
        m_widget->activateWindow();
        boxTookActivation =
            QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == box->windowHandle(); });
        // A box over the box belongs to the first one.
        script.Then([&](const ModalStart& inner) {
            nestedModal = IsModalFor(WidgetOfWindow(inner.window), box);
            PressKey(inner.window, Qt::Key_Return);
        });
        MessageBox(start.window, "inner", "Nested", MB_OK);
        for (HWND b = FindWindowEx(start.window, nullptr, "BUTTON", nullptr); b != nullptr;
             b = FindWindowEx(start.window, b, "BUTTON", nullptr)) {
            ++buttons;
        }
        PressKey(start.window, Qt::Key_Return);
    });
    EXPECT_EQ(MessageBox(m_top, "OS Error: (2) No such file or directory", "File Open Error",
                         MB_ICONERROR | MB_OK),
              IDOK);
    EXPECT_EQ(text, "OS Error: (2) No such file or directory");
    EXPECT_EQ(caption, "File Open Error");
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(modalForOwner);
    EXPECT_TRUE(nestedModal);
    EXPECT_TRUE(boxTookActivation);
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(IsWindowEnabled(m_top));

    // An OK box closes with Esc or its button; a Yes/No box needs an answer.
    script.Then([](const ModalStart& start) { PressKey(start.window, Qt::Key_Escape); })
        .Then([](const ModalStart& start) { ClickOn(GetDlgItem(start.window, IDOK)); })
        .Then([](const ModalStart& start) {
            PressKey(start.window, Qt::Key_Escape); // no Cancel: nothing happens
            PressKey(start.window, Qt::Key_Return); // the second button is the default
        })
        .Then([](const ModalStart& start) { ClickOn(GetDlgItem(start.window, IDYES)); });
    EXPECT_EQ(MessageBox(m_top, "Maximum amount of snapshots is achived", "Invalid operation",
                         MB_ICONINFORMATION | MB_OK),
              IDOK);
    EXPECT_EQ(MessageBox(m_top, "again", "Invalid operation", MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(MessageBox(m_top, "Replace?", "Confirm", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox(m_top, "Replace?", "Confirm", MB_YESNO | MB_DEFBUTTON2), IDYES);
    EXPECT_EQ(script.Started(), 6);
}

TEST_F(CommonDialogTest, SaveDialogAddsTheDefaultExtensionAndAsksBeforeOverwritingAFile) {
    QStringList filters;
    QString title;
    bool ownerDisabled = false;
    bool modalForOwner = false;
    ModalScript script;
    script.Then([&](const ModalStart& start) {
        EXPECT_EQ(start.kind, ModalKind::SaveFile);
        filters = FileDialogOf(start)->nameFilters();
        title = FileDialogOf(start)->windowTitle();
        ownerDisabled = !IsWindowEnabled(m_top);
        modalForOwner = IsModalFor(FileDialogOf(start), m_widget);
        ChooseName(start, "morning");
    });
    OPENFILENAME ofn = Request(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_CREATEPROMPT);
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(m_file), PathOf("morning.sdk"));
    EXPECT_EQ(std::string(m_file + ofn.nFileOffset), "morning.sdk");
    EXPECT_EQ(std::string(m_file + ofn.nFileExtension), "sdk");
    EXPECT_EQ(filters, (QStringList{"Sudoku Files (*.sdk)", "All Files (*)"}));
    EXPECT_EQ(title, "Save As");
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(modalForOwner);
    EXPECT_TRUE(IsWindowEnabled(m_top));

    script.Then([](const ModalStart& start) { ChooseName(start, "evening.txt"); });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(m_file), PathOf("evening.txt")) << "a typed extension is kept";

    std::strcpy(m_file, "/somewhere/kept.sdk");
    script.Then(
        [](const ModalStart& start) { QTest::keyClick(FileDialogOf(start), Qt::Key_Escape); });
    OPENFILENAME open = Request(OFN_HIDEREADONLY);
    EXPECT_FALSE(GetOpenFileName(&open)) << "cancelled";
    EXPECT_STREQ(m_file, "/somewhere/kept.sdk");
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    // The overwrite prompt comes only with the flag, and No goes back to the dialog.
    std::ofstream(PathOf("taken.sdk")) << "x";
    std::string question;
    script.Then([](const ModalStart& start) { ChooseName(start, "taken"); });
    script.Then([&](const ModalStart& start) {
        EXPECT_EQ(start.kind, ModalKind::MessageBox);
        question = ItemText(start.window, MessageTextId);
        PressKey(start.window, Qt::Key_Return); // No is the default
    });
    script.Then([](const ModalStart& start) {
        EXPECT_EQ(start.kind, ModalKind::SaveFile) << "asked again";
        ChooseName(start, "fresh");
    });
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(m_file), PathOf("fresh.sdk"));
    EXPECT_EQ(question, "taken.sdk already exists.\nDo you want to replace it?");
    EXPECT_EQ(script.Started(), 6);

    script.Then([](const ModalStart& start) { ChooseName(start, "taken.sdk"); });
    script.Then([](const ModalStart& start) { ClickOn(GetDlgItem(start.window, IDYES)); });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(m_file), PathOf("taken.sdk"));
    EXPECT_EQ(script.Started(), 8);

    // No prompt without the flag; a buffer too small is reported.
    ofn.Flags = OFN_HIDEREADONLY;
    script.Then([](const ModalStart& start) { ChooseName(start, "taken"); });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(script.Started(), 9);
    char tiny[4] = {};
    ofn.lpstrFile = tiny;
    ofn.nMaxFile = sizeof(tiny);
    script.Then([](const ModalStart& start) { ChooseName(start, "longer-name"); });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
}

TEST_F(CommonDialogTest, ClipboardTextAndAnEditsCopiesGoThroughTheDesktop) {
    ASSERT_TRUE(OpenClipboard(m_top));
    ASSERT_TRUE(EmptyClipboard());
    const char text[] = "1\tAnna\t00:07:05\r\n2\tBen\t00:09:00";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(text));
    std::memcpy(GlobalLock(block), text, sizeof(text));
    GlobalUnlock(block);
    ASSERT_NE(SetClipboardData(CF_TEXT, block), nullptr);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "1\tAnna\t00:07:05\n2\tBen\t00:09:00")
        << "other programs get the desktop's line ends";
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(m_top));
    HANDLE back = GetClipboardData(CF_TEXT);
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(back)), text);
    GlobalUnlock(back);
    CloseClipboard();

    QGuiApplication::clipboard()->setText("pasted\nfrom elsewhere");
    IDataObject* data = nullptr;
    ASSERT_EQ(OleGetClipboard(&data), S_OK);
    FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(medium.hGlobal)), "pasted\r\nfrom elsewhere");
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    data->Release();

    // An edit copies and pastes with the keys of the desktop.
    HWND edit =
        CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10,
                       200, 24, m_top, reinterpret_cast<HMENU>(5), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    TypeInto(m_top, "copied text");
    PressKey(m_top, Qt::Key_Left);
    PressKey(m_top, Qt::Key_Home, Qt::ShiftModifier);
    PressKey(m_top, Qt::Key_C, Qt::ControlModifier);
    PumpMessages();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "copied tex")
        << "Shift+Home selected up to the caret";
    QGuiApplication::clipboard()->setText("new");
    PressKey(m_top, Qt::Key_V, Qt::ControlModifier);
    PumpMessages();
    EXPECT_EQ(TextOf(edit), "newt") << "the selection is replaced";
    PressKey(m_top, Qt::Key_A, Qt::ControlModifier);
    PressKey(m_top, Qt::Key_X, Qt::ControlModifier);
    PumpMessages();
    EXPECT_EQ(TextOf(edit), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "newt");
    DestroyWindow(edit);
}
