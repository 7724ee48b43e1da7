#pragma once

// The contract between the toolkit-free core and a toolkit backend: what a
// backend provides, the one call that installs it, and what it may call back
// into the core. The core owns every window, message and pixel; a backend
// gives visible windows a peer on screen, waits for events, turns input into
// posted messages through the Deliver* calls below, measures and draws text,
// and shows menu bars, scroll bars, file dialogs and the clipboard. Without
// a backend the core still runs: windows have no peers, text is measured by a
// fixed stand-in and not drawn, GetMessage sleeps until a timer or a post,
// menus and scroll bars are data only, the clipboard stays inside the
// process, and file dialogs are cancelled.

#include "views/win/api/WinTypes.h"
#include "views/win/gdi/Surface.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kwin {

// A window's presence in the toolkit. Rectangles are the window's client
// area: in screen coordinates for a top-level window, in the parent's client
// coordinates for a child.
class IWindowPeer {
public:
    virtual ~IWindowPeer() = default;
    // activate is false for the show commands that leave activation alone.
    virtual void SetVisible(bool visible, bool activate) = 0;
    virtual void SetClientGeometry(const RECT& client) = 0;
    virtual void SetText(const std::string& text) = 0;
    // The window's surface changed inside this client rectangle.
    virtual void Flush(const RECT& client) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual void Raise() = 0;
    virtual void Activate() = 0;
    virtual void IconChanged() {}
    // Device pixels per logical unit where the window shows; its surface is
    // made with that many pixels per unit.
    virtual double DevicePixelRatio() const { return 1.0; }
    // Copies the pixels the toolkit shows of the client area into surface
    // (its size and ratio); false when it holds none to give.
    virtual bool ReadPixels(Surface& /*surface*/) const { return false; }
};

struct TextMetricsInfo {
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
};

// Fonts are described by their logical-font record; text is UTF-8.
class ITextEngine {
public:
    virtual ~ITextEngine() = default;
    virtual TextMetricsInfo Metrics(const LOGFONT& font) = 0;
    virtual int Width(const LOGFONT& font, std::string_view text) = 0;
    // Draws text whose cell's top-left corner is (x, y), rotated by the
    // font's escapement about that corner, clipped to clip: coordinates and
    // the font are in the surface's logical units, and the glyphs are drawn
    // in its pixels, as fine as its ratio allows.
    virtual void Draw(Surface& surface, const RECT& clip, int x, int y, const LOGFONT& font,
                      std::string_view text, COLORREF color) = 0;
    // The face a logical font resolves to.
    virtual std::string ResolvedFace(const LOGFONT& font) = 0;
};

struct MonitorDesc {
    RECT monitor;
    RECT work;
    bool primary;
};

class IMenuBarHost {
public:
    virtual ~IMenuBarHost() = default;
    // The window's menu was set, replaced or redrawn (SetMenu, DrawMenuBar).
    virtual void MenuBarChanged(HWND hwnd) = 0;
    // The user called for the window's menu bar from the keyboard
    // (WM_SYSCOMMAND SC_KEYMENU): key 0 (F10, or Alt alone) selects the first
    // menu without opening it; a character opens the menu it is the mnemonic
    // of, with its first item selected.
    virtual void EnterMenuByKey(HWND /*hwnd*/, char32_t /*key*/) {}
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

class IBackend {
public:
    virtual ~IBackend() = default;
    // Called while a window is being created, before WM_NCCREATE, for every
    // window that is not message-only (and not inside a message-only one).
    virtual std::unique_ptr<IWindowPeer> CreatePeer(HWND hwnd) = 0;
    // Processes toolkit events, blocking until at least one arrived or the
    // timeout (milliseconds, negative = none) ran out.
    virtual void WaitForEvents(int timeoutMs) = 0;
    // Makes a WaitForEvents return; may be called from any thread.
    virtual void WakeUp() = 0;
    virtual void ApplyCursor(HCURSOR cursor, int systemId) = 0;
    virtual void ApplyClipCursor(const RECT* rect) = 0;
    virtual ITextEngine& TextEngine() = 0;
    virtual std::vector<MonitorDesc> Monitors() = 0;
    virtual int WheelScrollLines() = 0;
    virtual int LogPixels() = 0;
    // The family of the desktop's user-interface font.
    virtual std::string UiFontFamily() = 0;
    virtual POINT CursorPos() = 0;
    // The menu bar, scroll bars, file dialogs and clipboard it shows; any
    // of them may be missing.
    virtual ToolkitServices Services() = 0;
};

// Installs a backend (nullptr: none); it stays in use for the life of the
// process or until the next call.
void InstallBackend(IBackend* backend);

// What a backend may call back into the core.

// The peer of a window, or nullptr (message-only, no backend, destroyed).
IWindowPeer* GetWindowPeer(HWND hwnd);
// The pixels of a window's client area, or nullptr when it has none. Pixels
// the peer keeps are taken back from it (IWindowPeer::ReadPixels) and stay
// until the next ReleaseWindowPixels.
const Surface* GetWindowSurface(HWND hwnd);
// The peer has shown the window's pixels and keeps them: the core lets go of
// its own copy, unless a DC still draws into it or more is to paint. True
// when it did.
bool ReleaseWindowPixels(HWND hwnd);
// Whether the core holds its own copy of the window's pixels now.
bool HoldsWindowPixels(HWND hwnd);

// Input from the backend. Coordinates are client coordinates of the
// top-level window the event arrived at; the core finds the target window
// (capture, hit testing with WM_NCHITTEST, so HTTRANSPARENT children let the
// mouse fall through), makes double clicks for CS_DBLCLKS classes, and posts
// the messages.
enum class MouseAction { Move, LeftDown, LeftUp, RightDown, RightUp, MiddleDown, MiddleUp, Wheel };
constexpr unsigned ModShift = 1;
constexpr unsigned ModControl = 2;
constexpr unsigned ModAlt = 4;
void DeliverMouse(HWND topLevel, MouseAction action, POINT client, unsigned modifiers,
                  unsigned buttons, int wheelDelta = 0);
// A key goes to the focus window when it lies inside topLevel, else to topLevel.
// ch is the character the key produced (0 for none); TranslateMessage uses it.
void DeliverKey(HWND topLevel, bool down, UINT virtualKey, UINT scanCode, bool extended,
                bool autoRepeat, unsigned modifiers, char32_t ch);
// The user moved or resized a top-level window; client is in screen coordinates.
void DeliverGeometry(HWND topLevel, const RECT& client);
// The user is dragging a top-level window's edge to this client rectangle
// (screen coordinates): WM_ENTERSIZEMOVE first, then WM_SIZING with the edge
// and the outer rectangle, which the window may change; the window takes the
// rectangle it ends with. DeliverSizingEnd sends WM_EXITSIZEMOVE.
void DeliverSizing(HWND topLevel, const RECT& client);
void DeliverSizingEnd(HWND topLevel);
void DeliverClose(HWND topLevel);
void DeliverActivation(HWND topLevel, bool active);
// A top-level window now shows at another device pixel ratio (it moved to a
// screen of another scale): the window and its children get surfaces at
// their peers' ratios and paint them anew. Nothing else changes.
void DeliverRatioChange(HWND topLevel);

// Called by a backend as the user works its menus: a popup is about to open
// (the owner gets WM_INITMENU for a bar popup, then WM_INITMENUPOPUP), and a
// command item was chosen (WM_COMMAND is posted to the owner).
void MenuPopupOpening(HWND owner, HMENU popup, int indexInParent, bool fromBar);
void MenuCommandChosen(HWND owner, UINT id);

// Called by a backend for its scroll bars: the thumb is being dragged to
// trackPos (kept for GetScrollInfo's SIF_TRACKPOS), then WM_HSCROLL or
// WM_VSCROLL with code and position is posted to the window.
void ScrollBarAction(HWND hwnd, int bar, WORD code, int trackPos);

// A modal loop (dialog, message box, file dialog) has its window shown and
// is about to take its first message.
enum class ModalKind { Dialog, MessageBox, OpenFile, SaveFile };
struct ModalStart {
    ModalKind kind;
    HWND window; // the dialog or message box; nullptr for file dialogs
};
void ModalLoopStarted(const ModalStart& start);

// Test seams. Tests and headless runs act on a modal loop when it starts:
// the seam runs after the modal window is shown and before its loop takes
// the first message; input it gives (keys, clicks through the backend) is
// then processed by that loop. A backend reaches its own file dialog while
// the seam runs.
using ModalTestSeam = std::function<void(const ModalStart&)>;
void SetModalTestSeam(ModalTestSeam seam);
// Queues a message behind the input delivered so far (a plain post would
// overtake it, as on the platform).
void PostBehindInput(HWND hwnd, UINT message);

} // namespace kwin
