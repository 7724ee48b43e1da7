#pragma once

// What a toolkit backend offers beyond windows and text, and what it calls
// back: the menu bar and window scroll bars it shows, its file dialogs and
// the system clipboard. Without a backend the layer keeps menus and scroll
// bars as data only, keeps the clipboard inside the process, and file
// dialogs are cancelled.

#include "views/win/api/WinTypes.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kwin {

class IMenuBarHost {
public:
    virtual ~IMenuBarHost() = default;
    // The window's menu was set, replaced or redrawn (SetMenu, DrawMenuBar).
    virtual void MenuBarChanged(HWND hwnd) = 0;
};

class IScrollBarHost {
public:
    virtual ~IScrollBarHost() = default;
    // A scroll bar of the window was shown, hidden or changed.
    virtual void ScrollBarsChanged(HWND hwnd) = 0;
};

class IClipboardHost {
public:
    virtual ~IClipboardHost() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual std::optional<std::string> Text() = 0;
};

struct FileDialogRequest {
    bool save = false;
    HWND owner = nullptr;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters; // name, patterns ("*.a;*.b")
    int filterIndex = 0;                                      // 0-based
    std::string initialPath;                                  // a file or folder, or empty
    std::string initialDir;
};

class IFileDialogHost {
public:
    virtual ~IFileDialogHost() = default;
    // Runs a modal file dialog; the path confirmed, or nothing when cancelled.
    virtual std::optional<std::string> Run(const FileDialogRequest& request) = 0;
};

struct ToolkitServices {
    IMenuBarHost* menuBar = nullptr;
    IScrollBarHost* scrollBars = nullptr;
    IClipboardHost* clipboard = nullptr;
    IFileDialogHost* fileDialogs = nullptr;
};
void SetToolkitServices(const ToolkitServices& services);
const ToolkitServices& GetToolkitServices();

// Called by a backend as the user works its menus: a popup is about to open
// (the owner gets WM_INITMENU for a bar popup, then WM_INITMENUPOPUP), and a
// command item was chosen (WM_COMMAND is posted to the owner).
void MenuPopupOpening(HWND owner, HMENU popup, int indexInParent, bool fromBar);
void MenuCommandChosen(HWND owner, UINT id);

// Called by a backend for its scroll bars: the thumb is being dragged to
// trackPos (kept for GetScrollInfo's SIF_TRACKPOS), then WM_HSCROLL or
// WM_VSCROLL with code and position is posted to the window.
void ScrollBarAction(HWND hwnd, int bar, WORD code, int trackPos);

// Tests and headless runs act on a modal loop when it starts. The hook runs
// after the modal window is shown and before its loop takes the first
// message; input it gives (keys, clicks through the backend) is then
// processed by that loop.
enum class ModalKind { Dialog, MessageBox, OpenFile, SaveFile };
struct ModalStart {
    ModalKind kind;
    HWND window;         // the dialog or message box; nullptr for file dialogs
    void* toolkitDialog; // the toolkit's own file dialog object, else nullptr
};
using ModalHook = std::function<void(const ModalStart&)>;
void SetModalHook(ModalHook hook);
void NotifyModalStart(const ModalStart& start);

} // namespace kwin
