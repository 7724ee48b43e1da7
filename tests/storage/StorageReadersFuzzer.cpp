// libFuzzer target for the three file readers. The first byte picks the
// reader; the rest is the archive, gzipped here so that the input reaches the
// archive layer instead of stopping at the gzip checksum.

#include "storage/GameFile.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <zlib.h>

namespace {

std::string Gzip(const std::uint8_t* data, std::size_t size) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, size) + 64, '\0');
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = static_cast<uInt>(size);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string file = Gzip(data + 1, size - 1);
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
