// The version block: building it, and GetFileVersionInfo/VerQueryValue over it.

#include "views/win/resources/VersionBlock.h"

#include "views/win/api/WinKernel.h"
#include "views/win/resources/Resources.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>

using namespace kwin;

namespace {

constexpr std::size_t HeaderSize = 6; // wLength, wValueLength, wType

std::size_t Align4(std::size_t n) {
    return (n + 3) & ~static_cast<std::size_t>(3);
}

void PutWord(std::vector<BYTE>& out, std::size_t at, WORD value) {
    std::memcpy(out.data() + at, &value, sizeof(value));
}

WORD GetWord(const BYTE* p) {
    WORD v;
    std::memcpy(&v, p, sizeof(v));
    return v;
}

// Appends one node; children are appended by the callback.
template <typename Children>
void Node(std::vector<BYTE>& out, const std::string& key, const void* value, std::size_t valueSize,
          WORD type, Children&& children) {
    const std::size_t start = out.size();
    out.resize(start + HeaderSize);
    out.insert(out.end(), key.begin(), key.end());
    out.push_back(0);
    out.resize(Align4(out.size() - start) + start);
    if (valueSize > 0) {
        const auto* bytes = static_cast<const BYTE*>(value);
        out.insert(out.end(), bytes, bytes + valueSize);
        out.resize(Align4(out.size() - start) + start);
    }
    children(out);
    PutWord(out, start, static_cast<WORD>(out.size() - start));
    PutWord(out, start + 2, static_cast<WORD>(valueSize));
    PutWord(out, start + 4, type);
}

void NoChildren(std::vector<BYTE>&) {}

struct NodeView {
    const BYTE* start;
    WORD length;
    WORD valueLength;
    WORD type;
    const char* key;
    const BYTE* value;
    const BYTE* childrenStart;
};

NodeView ReadNode(const BYTE* p) {
    NodeView n{};
    n.start = p;
    n.length = GetWord(p);
    n.valueLength = GetWord(p + 2);
    n.type = GetWord(p + 4);
    n.key = reinterpret_cast<const char*>(p + HeaderSize);
    const std::size_t keyEnd = HeaderSize + std::strlen(n.key) + 1;
    n.value = p + Align4(keyEnd);
    n.childrenStart = n.value + Align4(n.valueLength);
    return n;
}

bool SameKey(const char* a, const std::string& b) {
    const std::size_t n = std::strlen(a);
    if (n != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::map<std::string, std::vector<BYTE>>& Blocks() {
    static std::map<std::string, std::vector<BYTE>> blocks;
    return blocks;
}

std::string OwnPath() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileName(nullptr, path, sizeof(path));
    return path;
}

const std::vector<BYTE>* FindBlock(LPCSTR fileName) {
    if (fileName == nullptr) {
        return nullptr;
    }
    auto& blocks = Blocks();
    if (const auto it = blocks.find(fileName); it != blocks.end()) {
        return &it->second;
    }
    if (OwnPath() == fileName) {
        if (const auto it = blocks.find(""); it != blocks.end()) {
            return &it->second;
        }
    }
    return nullptr;
}

} // namespace

namespace kwin {

std::vector<BYTE> BuildVersionBlock(const VersionResource& resource) {
    std::vector<BYTE> out;
    Node(out, "VS_VERSION_INFO", &resource.fixed, sizeof(resource.fixed), 0,
         [&](std::vector<BYTE>& o) {
             Node(o, "StringFileInfo", nullptr, 0, 1, [&](std::vector<BYTE>& sfi) {
                 for (const auto& table : resource.stringTables) {
                     char key[16];
                     std::snprintf(key, sizeof(key), "%04x%04x", table.language, table.codePage);
                     Node(sfi, key, nullptr, 0, 1, [&](std::vector<BYTE>& st) {
                         for (const auto& [name, text] : table.values) {
                             Node(st, name, text.c_str(), text.size() + 1, 1, NoChildren);
                         }
                     });
                 }
             });
             if (!resource.translations.empty()) {
                 Node(o, "VarFileInfo", nullptr, 0, 1, [&](std::vector<BYTE>& vfi) {
                     std::vector<WORD> words;
                     for (const auto& [lang, cp] : resource.translations) {
                         words.push_back(lang);
                         words.push_back(cp);
                     }
                     Node(vfi, "Translation", words.data(), words.size() * sizeof(WORD), 0,
                          NoChildren);
                 });
             }
         });
    return out;
}

void RegisterVersionResource(const std::string& modulePath, std::vector<BYTE> block) {
    Blocks()[modulePath] = std::move(block);
}

void UnregisterVersionResource(const std::string& modulePath) {
    Blocks().erase(modulePath);
}

} // namespace kwin

DWORD GetFileVersionInfoSize(LPCSTR fileName, LPDWORD handle) {
    if (handle != nullptr) {
        *handle = 0;
    }
    const auto* block = FindBlock(fileName);
    if (block == nullptr) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return 0;
    }
    return static_cast<DWORD>(block->size());
}

BOOL GetFileVersionInfo(LPCSTR fileName, DWORD, DWORD size, LPVOID data) {
    const auto* block = FindBlock(fileName);
    if (block == nullptr || data == nullptr) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    if (size < block->size()) {
        std::memcpy(data, block->data(), size);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(data, block->data(), block->size());
    return TRUE;
}

BOOL VerQueryValue(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, UINT* length) {
    if (block == nullptr || subBlock == nullptr || buffer == nullptr) {
        return FALSE;
    }
    NodeView node = ReadNode(static_cast<const BYTE*>(block));
    std::string path(subBlock);
    std::size_t pos = 0;
    while (pos < path.size()) {
        while (pos < path.size() && path[pos] == '\\') {
            ++pos;
        }
        if (pos >= path.size()) {
            break;
        }
        const std::size_t end = path.find('\\', pos);
        const std::string part =
            path.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? path.size() : end;
        const BYTE* child = node.childrenStart;
        const BYTE* limit = node.start + node.length;
        bool found = false;
        while (child + HeaderSize <= limit) {
            const NodeView c = ReadNode(child);
            if (c.length == 0) {
                break;
            }
            if (SameKey(c.key, part)) {
                node = c;
                found = true;
                break;
            }
            child += Align4(c.length);
        }
        if (!found) {
            return FALSE;
        }
    }
    *buffer = const_cast<BYTE*>(node.value);
    if (length != nullptr) {
        *length =
            node.type == 1 && node.valueLength > 0
                ? static_cast<UINT>(std::strlen(reinterpret_cast<const char*>(node.value)) + 1)
                : node.valueLength;
    }
    return TRUE;
}
