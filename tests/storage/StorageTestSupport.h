#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "storage/GameFile.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"
#include "tests/support/ScopedEnvironment.h"

#include <boost/filesystem/path.hpp>

// Bytes of a binary archive as the format lays them out, written out by hand:
// little-endian numbers, counts, class information.
class ByteWriter {
public:
    ByteWriter& U8(std::uint8_t value) { return Number(value, 1); }
    ByteWriter& U16(std::uint16_t value) { return Number(value, 2); }
    ByteWriter& U32(std::uint32_t value) { return Number(value, 4); }
    ByteWriter& U64(std::uint64_t value) { return Number(value, 8); }
    ByteWriter& I32(std::int32_t value) { return Number(static_cast<std::uint32_t>(value), 4); }
    ByteWriter& I64(std::int64_t value) { return Number(static_cast<std::uint64_t>(value), 8); }
    ByteWriter& Raw(std::string_view bytes) {
        m_bytes.append(bytes);
        return *this;
    }

    // Signature, library version 19, sizes of int, long, float and double,
    // and the byte-order marker.
    ByteWriter& ArchiveHeader();
    // At a type's first occurrence: tracking flag (never tracked) and class version.
    ByteWriter& ClassInfo(std::uint32_t version) { return U8(0).U32(version); }
    // Count and element version in front of a sequence's elements.
    ByteWriter& SequenceStart(std::uint64_t count, std::uint32_t itemVersion = 1) {
        return U64(count).U32(itemVersion);
    }

    const std::string& Bytes() const { return m_bytes; }

private:
    ByteWriter& Number(std::uint64_t value, int width);

    std::string m_bytes;
};

// Gzip and gunzip with zlib directly, independent of the code under test.
// Gzip uses the default level, window bits 15, memory level 8 and the default
// strategy, and writes zlib's own 10-byte header.
std::string Gzip(const std::string& bytes);
// Throws std::runtime_error unless the data is one complete gzip member.
std::string Gunzip(const std::string& compressed);

std::string ReadFileBytes(const boost::filesystem::path& path);
void WriteFileBytes(const boost::filesystem::path& path, const std::string& bytes);
// The names in a folder, sorted.
std::vector<std::string> FileNames(const boost::filesystem::path& folder);

// Damages bytes at random: flipped bits, odd bytes, the numbers a reader is
// most easily misled by (counts, sizes), cuts, gaps, insertions and repeated
// runs. A fixed seed keeps a run repeatable.
class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : m_random(seed) {}

    // One to three damages.
    std::string Mutate(std::string bytes);
    bool OneIn(int n) { return Pick(0, n - 1) == 0; }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::size_t Offset(const std::string& bytes);
    std::uint64_t InterestingNumber();
    void MutateOnce(std::string& bytes);

    std::mt19937 m_random;
};

// A fresh folder for one test, named in LOCALAPPDATA while the test runs.
class ScopedDataRoot {
public:
    ScopedDataRoot();
    ~ScopedDataRoot();
    ScopedDataRoot(const ScopedDataRoot&) = delete;
    ScopedDataRoot& operator=(const ScopedDataRoot&) = delete;

    const boost::filesystem::path& Path() const { return m_path; }

private:
    boost::filesystem::path m_path;
    ScopedEnvironment m_environment;
};

// Small stored data with every kind of content: givens, marks, the carried
// bits 9-14, digits, named snapshots, undo and redo records, winners.
CGameFieldFileData SampleGame();
CGameFieldSerialData SampleSession();
WinnersLists SampleWinners();

HiScoreEntry Winner(std::string_view name, std::int64_t time);

// Load the autosave, or the winners file, of the data folder over live data
// unlike any sample: "loaded" (an autosave with auto-check on; "loaded,
// auto-check off" otherwise); "refused" with the live data (and the window
// and auto-check) as they were; or "changed" when refused but touched.
std::string LoadSession();
std::string LoadWinners();
