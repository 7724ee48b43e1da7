// GetOpenFileName and GetSaveFileName over the toolkit's file dialog: the
// filter list, the default extension for a name typed without one, the
// prompts of the flags, and the confirmed path written back.

#include "views/win/api/WinCommDlg.h"
#include "views/win/api/WinDialog.h"
#include "views/win/api/WinStyles.h"
#include "views/win/backend/internal/InstalledBackend.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

namespace {

DWORD& LastError() {
    static DWORD error = 0;
    return error;
}

// "Name\0*.a;*.b\0Name\0*.c\0\0" into (name, patterns) pairs.
std::vector<std::pair<std::string, std::string>> ParseFilter(LPCSTR filter) {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (filter == nullptr) {
        return pairs;
    }
    while (*filter != '\0') {
        std::string name = filter;
        filter += name.size() + 1;
        std::string patterns = filter;
        filter += patterns.size() + 1;
        if (patterns.empty()) {
            break; // a name without patterns ends the list
        }
        pairs.emplace_back(std::move(name), std::move(patterns));
    }
    return pairs;
}

std::string WithDefaultExtension(const std::string& path, LPCSTR defExt) {
    if (defExt == nullptr || *defExt == '\0') {
        return path;
    }
    const std::filesystem::path p(path);
    if (p.has_extension()) {
        return path;
    }
    return path + "." + defExt;
}

bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Whether the flags' questions about the chosen path let it through.
bool Confirmed(const OPENFILENAME& ofn, bool save, const std::string& path) {
    const std::string name = FileName(path);
    const char* caption = save ? "Confirm Save As" : "Open";
    if (save && (ofn.Flags & OFN_OVERWRITEPROMPT) && Exists(path)) {
        const std::string text = name + " already exists.\nDo you want to replace it?";
        return MessageBox(ofn.hwndOwner, text.c_str(), caption,
                          MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
    }
    if (!save && !Exists(path)) {
        if (ofn.Flags & OFN_CREATEPROMPT) {
            const std::string text = name + "\nThis file does not exist.\nCreate the file?";
            return MessageBox(ofn.hwndOwner, text.c_str(), caption, MB_YESNO | MB_ICONWARNING) ==
                   IDYES;
        }
        if (ofn.Flags & OFN_FILEMUSTEXIST) {
            const std::string text = name + "\nFile not found.\nCheck the file name and try again.";
            MessageBox(ofn.hwndOwner, text.c_str(), caption, MB_OK | MB_ICONWARNING);
            return false;
        }
    }
    return true;
}

bool WriteBack(OPENFILENAME& ofn, const std::string& path) {
    if (ofn.lpstrFile == nullptr || path.size() + 1 > ofn.nMaxFile) {
        LastError() = FNERR_BUFFERTOOSMALL;
        if (ofn.lpstrFile != nullptr && ofn.nMaxFile >= 2) {
            const auto needed = static_cast<WORD>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
            std::memcpy(ofn.lpstrFile, &needed, sizeof(needed));
        }
        return false;
    }
    std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    ofn.nFileOffset = static_cast<WORD>(nameAt);
    ofn.nFileExtension =
        static_cast<WORD>(dot != std::string::npos && dot > nameAt ? dot + 1 : path.size());
    if (ofn.lpstrFileTitle != nullptr && ofn.nMaxFileTitle > 0) {
        const std::string title = path.substr(nameAt);
        const std::size_t n = std::min<std::size_t>(title.size(), ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, title.data(), n);
        ofn.lpstrFileTitle[n] = '\0';
    }
    return true;
}

BOOL RunFileDialog(LPOPENFILENAME ofn, bool save) {
    LastError() = 0;
    kwin::IFileDialogHost* host = kwin::GetToolkitServices().fileDialogs;
    if (ofn == nullptr || host == nullptr) {
        return FALSE;
    }
    kwin::FileDialogRequest request;
    request.save = save;
    request.owner = ofn->hwndOwner;
    request.title = ofn->lpstrTitle != nullptr ? ofn->lpstrTitle : (save ? "Save As" : "Open");
    request.filters = ParseFilter(ofn->lpstrFilter);
    request.filterIndex = ofn->nFilterIndex > 0 ? static_cast<int>(ofn->nFilterIndex) - 1 : 0;
    request.initialPath = ofn->lpstrFile != nullptr ? ofn->lpstrFile : "";
    request.initialDir = ofn->lpstrInitialDir != nullptr ? ofn->lpstrInitialDir : "";
    for (;;) {
        const std::optional<std::string> chosen = host->Run(request);
        if (!chosen || chosen->empty()) {
            return FALSE;
        }
        const std::string path = WithDefaultExtension(*chosen, ofn->lpstrDefExt);
        if (Confirmed(*ofn, save, path)) {
            return WriteBack(*ofn, path) ? TRUE : FALSE;
        }
        request.initialPath = path; // asked again, starting from the refused name
    }
}

} // namespace

BOOL GetOpenFileName(LPOPENFILENAME ofn) {
    return RunFileDialog(ofn, false);
}

BOOL GetSaveFileName(LPOPENFILENAME ofn) {
    return RunFileDialog(ofn, true);
}

DWORD CommDlgExtendedError() {
    return LastError();
}
