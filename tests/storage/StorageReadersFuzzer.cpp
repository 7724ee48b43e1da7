// libFuzzer target for the three file readers. The first byte picks the
// reader; the rest is the archive, gzipped here so that the input reaches the
// archive layer instead of stopping at the gzip checksum.

#include "StorageTestSupport.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string file = Gzip(std::string(data + 1, data + size));
    try {
        switch (data[0] % 3) {
        case 0:
            GameFile::ReadBytes(file);
            break;
        case 1:
            SessionFile::ReadBytes(file);
            break;
        default:
            WinnersFile::ReadBytes(file);
            break;
        }
    } catch (const std::exception&) {
        // A clean refusal is the expected outcome for most inputs.
    }
    return 0;
}
