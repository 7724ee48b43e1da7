#include "StorageTestSupport.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <zlib.h>

namespace fs = boost::filesystem;

ByteWriter& ByteWriter::ArchiveHeader() {
    const std::string signature = "serialization::archive";
    U64(signature.size()).Raw(signature);
    U16(19);
    U8(4).U8(8).U8(4).U8(8);
    return I32(1);
}

ByteWriter& ByteWriter::Number(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        m_bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
    return *this;
}

std::string Gzip(const std::string& bytes) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    std::string out(deflateBound(&stream, bytes.size()) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate failed");
    }
    return out;
}

std::string Gunzip(const std::string& compressed) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK) {
        throw std::runtime_error("inflateInit2 failed");
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    std::string out;
    int result = Z_OK;
    char chunk[4096];
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - stream.avail_out);
    }
    const bool wholeMember = result == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!wholeMember) {
        throw std::runtime_error("not one complete gzip member");
    }
    return out;
}

std::string ReadFileBytes(const fs::path& path) {
    std::ifstream in(path.string(), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteFileBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path.string(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

ScopedDataRoot::ScopedDataRoot()
    : m_path(fs::temp_directory_path() / fs::unique_path("kalmora-storage-%%%%-%%%%-%%%%")) {
    fs::create_directory(m_path);
    m_environment.Set("LOCALAPPDATA", m_path.string());
}

ScopedDataRoot::~ScopedDataRoot() {
    boost::system::error_code error;
    fs::permissions(m_path, fs::owner_all | fs::add_perms, error);
    fs::remove_all(m_path, error);
}

std::string Mutator::Mutate(std::string bytes) {
    const int rounds = Pick(1, 3);
    for (int i = 0; i < rounds; ++i) {
        MutateOnce(bytes);
    }
    return bytes;
}

std::size_t Mutator::Offset(const std::string& bytes) {
    return bytes.empty() ? 0 : static_cast<std::size_t>(Pick(0, int(bytes.size()) - 1));
}

std::uint64_t Mutator::InterestingNumber() {
    static const std::uint64_t numbers[] = {
        0,          1,          2,          19,         20,         21,   22,
        81,         324,        325,        0x7F,       0x80,       0xFF, 0xFFFF,
        0x7FFFFFFF, 0xFFFFFFFF, 1ull << 32, 1ull << 40, 1ull << 62, ~0ull};
    return numbers[Pick(0, std::size(numbers) - 1)];
}

void Mutator::MutateOnce(std::string& bytes) {
    if (bytes.empty()) {
        bytes.push_back(static_cast<char>(Pick(0, 255)));
        return;
    }
    const std::size_t at = Offset(bytes);
    switch (Pick(0, 6)) {
    case 0:
        bytes[at] = static_cast<char>(bytes[at] ^ (1 << Pick(0, 7)));
        break;
    case 1:
        bytes[at] = static_cast<char>(Pick(0, 255));
        break;
    case 2: {
        const std::uint64_t number = InterestingNumber();
        const std::size_t width = std::size_t{1} << Pick(0, 3);
        for (std::size_t i = 0; i < width && at + i < bytes.size(); ++i) {
            bytes[at + i] = static_cast<char>(number >> (8 * i));
        }
        break;
    }
    case 3:
        bytes.resize(at);
        break;
    case 4:
        bytes.erase(at, static_cast<std::size_t>(Pick(1, 16)));
        break;
    case 5:
        bytes.insert(at, static_cast<std::size_t>(Pick(1, 16)), static_cast<char>(Pick(0, 255)));
        break;
    default: {
        const std::size_t from = Offset(bytes);
        bytes.insert(at, bytes.substr(from, static_cast<std::size_t>(Pick(1, 64))));
        break;
    }
    }
}

namespace {

// A zero-filled name field holding as much of `text` as fits.
template <std::size_t Size> std::array<char, Size> Name(std::string_view text) {
    std::array<char, Size> name{};
    std::copy_n(text.begin(), std::min(Size, text.size()), name.begin());
    return name;
}

} // namespace

HiScoreEntry Winner(std::string_view name, std::int64_t time) {
    return {Name<HiScoreEntry::NameSize>(name), time};
}

CGameFieldFileData SampleGame() {
    CGameFieldFileData game;
    game.field.cells[0] = {5, 0x8000};  // a given 5
    game.field.cells[1] = {0, 0x2203};  // marks 1 and 2, carried bits 9 and 13
    game.field.cells[40] = {7, 0x4000}; // a digit with a carried bit
    game.field.cells[80] = {9, 0x81FF}; // a given 9 with stale marks
    CSnapShot first;
    first.field = game.field;
    first.field.cells[2] = {3, 0};
    first.name = Name<20>("Start");
    first.elapsed = 65;
    CSnapShot second;
    second.field = game.field;
    second.name = Name<20>("ABCDEFGHIJKLMNOPQRST"); // all 20 bytes, no zero
    second.elapsed = 3725;
    game.snapShots = {first, second};
    game.startTime = 1700000000;
    game.finalTime = 0;
    game.level = 2;
    game.helpUsed = true;
    return game;
}

CGameFieldSerialData SampleSession() {
    CGameFieldSerialData session;
    static_cast<CGameFieldFileData&>(session) = SampleGame();
    session.snapShots.clear();
    session.finalTime = 754;
    session.level = 4;
    session.helpUsed = false;
    session.undo = {{{0, 0x0001}, 2, 1}, {{4, 0x0000}, 9, 9}};
    session.redo = {{{6, 0x0100}, 5, 3}};
    return session;
}

WinnersLists SampleWinners() {
    WinnersLists lists;
    lists[0] = {Winner("Ann", 65), Winner("Bob", 301)};
    lists[2] = {Winner("Chloé", 3609)};
    return lists;
}

std::string LoadSession() {
    CGameFieldSerialData before;
    before.field.cells[10] = {4, 0};
    before.level = 1;
    before.undo = {{{0, 0}, 2, 2}};
    CGameFieldSerialData live = before;
    StoredWindowRect window{9, 9, 9, 9};
    bool autoCheck = false;
    if (SessionFile::Load(live, window, autoCheck)) {
        return autoCheck ? "loaded" : "loaded, auto-check off";
    }
    const bool kept = live == before && window == StoredWindowRect{9, 9, 9, 9} && !autoCheck;
    return kept ? "refused" : "changed";
}

std::string LoadWinners() {
    WinnersLists before;
    before[1] = {Winner("kept", 5)};
    WinnersLists live = before;
    if (WinnersFile::Load(live)) {
        return "loaded";
    }
    return live == before ? "refused" : "changed";
}
