// Build helper: writes the program's icon as PNG files for the desktop's icon
// theme, from the same drawing the window uses.
//   kalmora-export-icon OUTDIR SIZE...   writes OUTDIR/SIZE.png for each size

#include "app/AppResources.h"
#include "app/ResourceIds.h"
#include "data/PngFile.h"
#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"
#include "views/win/resources/Resources.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

std::vector<std::uint32_t> IconPixels(int size) {
    auto icon = static_cast<HICON>(LoadImage(
        GetModuleHandle(nullptr), MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    const auto image = icon ? kwin::IconImage(icon) : nullptr;
    if (!image || image->Width() != size || image->Height() != size) {
        throw std::runtime_error("icon " + std::to_string(size) + " cannot be drawn");
    }
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < size; ++y) {
        pixels.insert(pixels.end(), image->PixelRow(y), image->PixelRow(y) + size);
    }
    DestroyIcon(icon);
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kalmora-export-icon OUTDIR SIZE...\n");
        return 2;
    }
    try {
        // The digit on the icon needs the toolkit's fonts.
        kwin::qt::InstallQtBackend();
        RegisterAppResources();
        for (int i = 2; i < argc; ++i) {
            const int size = std::stoi(argv[i]);
            PngFile::Write(std::string(argv[1]) + "/" + argv[i] + ".png", size, size,
                           IconPixels(size));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kalmora-export-icon: %s\n", error.what());
        return 1;
    }
    return 0;
}
