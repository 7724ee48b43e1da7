// Global memory blocks, the clipboard of plain text and the OLE clipboard
// over it. The text lives in the toolkit's system clipboard when a backend
// offers one (with the platform's CR LF line ends turned into the desktop's
// LF and back), else inside the process.

#include "views/win/api/WinKernel.h"
#include "views/win/api/WinOle.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/clipboard/CTextDataObject.h"

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Block {
    std::vector<char> bytes;
    int locks = 0;
};

struct ClipboardState {
    std::map<HGLOBAL, Block> blocks;
    std::uintptr_t nextBlock = 0x40000000;
    bool open = false;
    HWND owner = nullptr;
    std::optional<std::string> localText;
    HGLOBAL rendered = nullptr; // handed out by GetClipboardData
    IDataObject* oleObject = nullptr;
    int oleInits = 0;
};

ClipboardState& C() {
    static ClipboardState state;
    return state;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

void StoreText(std::optional<std::string> text) {
    if (kwin::IClipboardHost* host = kwin::GetToolkitServices().clipboard) {
        host->SetText(text ? Replace(*text, "\r\n", "\n") : std::string());
        return;
    }
    C().localText = std::move(text);
}

std::optional<std::string> CurrentText() {
    if (kwin::IClipboardHost* host = kwin::GetToolkitServices().clipboard) {
        auto text = host->Text();
        if (text) {
            return Replace(Replace(*text, "\r\n", "\n"), "\n", "\r\n");
        }
        return std::nullopt;
    }
    return C().localText;
}

// The zero-terminated text of a block, bounded by the block.
std::optional<std::string> TextOfBlock(HGLOBAL block) {
    const auto it = C().blocks.find(block);
    if (it == C().blocks.end()) {
        return std::nullopt;
    }
    const auto& bytes = it->second.bytes;
    const std::size_t n = strnlen(bytes.data(), bytes.size());
    return std::string(bytes.data(), n);
}

void ReleaseOleObject() {
    if (IDataObject* held = C().oleObject) {
        C().oleObject = nullptr;
        held->Release();
    }
}

void DropRendered() {
    if (C().rendered != nullptr) {
        GlobalFree(C().rendered);
        C().rendered = nullptr;
    }
}

} // namespace

const IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDataObject{0x0000010E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IEnumFORMATETC{0x00000103, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

bool operator==(const GUID& a, const GUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof(a.Data4)) == 0;
}

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
    auto& c = C();
    c.nextBlock += 8;
    const auto handle = reinterpret_cast<HGLOBAL>(c.nextBlock);
    c.blocks[handle].bytes.assign(std::max<std::size_t>(bytes, 1), '\0');
    return handle;
}

LPVOID GlobalLock(HGLOBAL memory) {
    const auto it = C().blocks.find(memory);
    if (it == C().blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++it->second.locks;
    return it->second.bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
    const auto it = C().blocks.find(memory);
    if (it == C().blocks.end() || it->second.locks == 0) {
        return FALSE;
    }
    return --it->second.locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    return C().blocks.erase(memory) != 0 ? nullptr : memory;
}

std::size_t GlobalSize(HGLOBAL memory) {
    const auto it = C().blocks.find(memory);
    return it == C().blocks.end() ? 0 : it->second.bytes.size();
}

BOOL OpenClipboard(HWND owner) {
    if (C().open) {
        return FALSE;
    }
    C().open = true;
    C().owner = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    const bool wasOpen = C().open;
    C().open = false;
    return wasOpen ? TRUE : FALSE;
}

BOOL EmptyClipboard() {
    if (!C().open) {
        return FALSE;
    }
    ReleaseOleObject();
    DropRendered();
    StoreText(std::nullopt);
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    if (!C().open || format != CF_TEXT) {
        return nullptr;
    }
    const auto text = TextOfBlock(data);
    if (!text) {
        return nullptr;
    }
    StoreText(*text);
    GlobalFree(data); // the clipboard owns the block from now on; its text is kept
    return data;
}

HANDLE GetClipboardData(UINT format) {
    if (!C().open || format != CF_TEXT) {
        return nullptr;
    }
    const auto text = CurrentText();
    if (!text) {
        return nullptr;
    }
    DropRendered();
    C().rendered = GlobalAlloc(GMEM_MOVEABLE, text->size() + 1);
    std::memcpy(C().blocks[C().rendered].bytes.data(), text->c_str(), text->size() + 1);
    return C().rendered;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    return format == CF_TEXT && CurrentText().has_value() ? TRUE : FALSE;
}

void ReleaseStgMedium(STGMEDIUM* medium) {
    if (medium == nullptr) {
        return;
    }
    if (medium->pUnkForRelease != nullptr) {
        medium->pUnkForRelease->Release();
    } else if (medium->tymed == TYMED_HGLOBAL && medium->hGlobal != nullptr) {
        GlobalFree(medium->hGlobal);
    }
    *medium = STGMEDIUM{TYMED_NULL, nullptr, nullptr};
}

HRESULT OleInitialize(LPVOID) {
    return C().oleInits++ == 0 ? S_OK : S_FALSE;
}

void OleUninitialize() {
    if (C().oleInits > 0 && --C().oleInits == 0) {
        ReleaseOleObject();
    }
}

HRESULT OleSetClipboard(IDataObject* data) {
    if (!OpenClipboard(nullptr)) {
        return CLIPBRD_E_CANT_OPEN;
    }
    EmptyClipboard();
    HRESULT result = S_OK;
    if (data != nullptr) {
        FORMATETC format = CTextDataObject::TextFormat();
        STGMEDIUM medium{TYMED_NULL, nullptr, nullptr};
        if (SUCCEEDED(data->GetData(&format, &medium))) {
            const auto text = TextOfBlock(medium.hGlobal);
            ReleaseStgMedium(&medium);
            if (text) {
                StoreText(*text);
            }
        } else {
            result = CLIPBRD_E_CANT_SET;
        }
        data->AddRef();
        C().oleObject = data;
    }
    CloseClipboard();
    return result;
}

HRESULT OleGetClipboard(IDataObject** data) {
    if (data == nullptr) {
        return E_POINTER;
    }
    const auto text = CurrentText();
    *data = text ? new CTextDataObject(*text) : nullptr;
    return text ? S_OK : CLIPBRD_E_CANT_OPEN;
}

HRESULT OleFlushClipboard() {
    ReleaseOleObject();
    return S_OK;
}
