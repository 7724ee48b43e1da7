#include "app/ResourceText.h"

#include "views/win/Win32.h"

namespace {

// Longer than any text of the table.
constexpr int TextBufferSize = 512;

} // namespace

std::string LoadText(UINT id) {
    char buffer[TextBufferSize] = {};
    const int length = LoadString(nullptr, id, buffer, TextBufferSize);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}
