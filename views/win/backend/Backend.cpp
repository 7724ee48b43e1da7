// The installed backend, its services, the stand-in text engine used
// without one, and the modal test seam.

#include "views/win/backend/internal/InstalledBackend.h"

#include "views/win/api/WinMessages.h"
#include "views/win/core/internal/MessageQueue.h"

#include "views/win/core/internal/WindowTable.h"

#include <algorithm>
#include <cstdlib>

namespace kwin {
namespace {

struct Installation {
    IBackend* backend = nullptr;
    ToolkitServices services;
};

Installation& Installed() {
    static Installation installation;
    return installation;
}

ModalTestSeam& Seam() {
    static ModalTestSeam seam;
    return seam;
}

// Without a toolkit text is measured as if every character were half as wide
// as the font is high, and nothing is drawn.
class FixedTextEngine final : public ITextEngine {
public:
    TextMetricsInfo Metrics(const LOGFONT& font) override {
        const int h = Height(font);
        TextMetricsInfo m;
        m.ascent = h * 4 / 5;
        m.descent = h - m.ascent;
        m.internalLeading = font.lfHeight > 0 ? h / 8 : 0;
        m.aveCharWidth = std::max(1, h / 2);
        m.maxCharWidth = std::max(1, h);
        return m;
    }
    int Width(const LOGFONT& font, std::string_view text) override {
        int chars = 0;
        for (unsigned char c : text) {
            if ((c & 0xC0) != 0x80) {
                ++chars;
            }
        }
        return chars * std::max(1, Height(font) / 2);
    }
    void Draw(Surface&, const RECT&, int, int, const LOGFONT&, std::string_view,
              COLORREF) override {}
    std::string ResolvedFace(const LOGFONT& font) override { return font.lfFaceName; }

private:
    static int Height(const LOGFONT& font) {
        const int h = std::abs(static_cast<int>(font.lfHeight));
        return h == 0 ? 16 : h;
    }
};

} // namespace

void InstallBackend(IBackend* backend) {
    Installed() = {backend, backend != nullptr ? backend->Services() : ToolkitServices{}};
}

IBackend* GetBackend() {
    return Installed().backend;
}

const ToolkitServices& GetToolkitServices() {
    return Installed().services;
}

ITextEngine& GetTextEngine() {
    if (IBackend* backend = Installed().backend) {
        return backend->TextEngine();
    }
    static FixedTextEngine fixed;
    return fixed;
}

IWindowPeer* GetWindowPeer(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w ? w->peer.get() : nullptr;
}

void ModalLoopStarted(const ModalStart& start) {
    // A copy: the seam may replace itself while it runs.
    if (const ModalTestSeam seam = Seam()) {
        seam(start);
    }
}

void SetModalTestSeam(ModalTestSeam seam) {
    Seam() = std::move(seam);
}

void PostBehindInput(HWND hwnd, UINT message) {
    PostInput(MSG{hwnd, message, 0, 0, 0, POINT{0, 0}}, InputInfo{true, 0, 0});
}

} // namespace kwin
