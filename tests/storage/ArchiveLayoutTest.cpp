// The bytes of every stored type, compared with layouts written out by hand:
// archive header, class information at a type's first occurrence, counts,
// element versions and members in their widths.

#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "storage/GameFile.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>
#include <zlib.h>

namespace fs = boost::filesystem;

namespace {

// The cells of a board after its count; `withClassInfo` at the first CCell.
void PutCells(ByteWriter& bytes, const CGameField& board, bool withClassInfo) {
    bytes.U64(81);
    if (withClassInfo) {
        bytes.ClassInfo(1);
    }
    for (const CCell& cell : board.cells) {
        bytes.U8(cell.value).U16(cell.flags);
    }
}

void PutName(ByteWriter& bytes, const char* name, std::size_t size) {
    bytes.U64(size).Raw(std::string_view(name, size));
}

void PutUndo(ByteWriter& bytes, const CUndo& record) {
    bytes.U8(record.cell.value).U16(record.cell.flags).U32(record.column).U32(record.row);
}

// One CGameFieldFileData as the first object of its kind in the archive,
// followed by nothing else of the board's types yet.
void PutGame(ByteWriter& bytes, const CGameFieldFileData& game) {
    bytes.ClassInfo(1); // CGameFieldFileData
    bytes.ClassInfo(1); // CGameFieldHeader
    bytes.U32(0xAAFF55BB).U64(324).I64(game.startTime).I64(game.finalTime);
    bytes.U8(static_cast<std::uint8_t>(game.level)).U8(game.helpUsed ? 1 : 0);
    bytes.ClassInfo(1); // CGameField
    bytes.ClassInfo(0); // std::array<CCell, 81>
    PutCells(bytes, game.field, true);
    bytes.ClassInfo(0); // std::deque<CSnapShot>
    bytes.SequenceStart(game.snapShots.size());
    bool first = true;
    for (const CSnapShot& snapshot : game.snapShots) {
        if (first) {
            bytes.ClassInfo(1); // CSnapShot
        }
        PutCells(bytes, snapshot.field, false);
        if (first) {
            bytes.ClassInfo(0); // std::array<char, 20>
        }
        PutName(bytes, snapshot.name.data(), 20);
        bytes.I64(snapshot.elapsed);
        first = false;
    }
}

class ArchiveLayoutTest : public testing::Test {
protected:
    fs::path File(const char* name) const { return m_root.Path() / name; }
    std::string Archive(const fs::path& path) const { return Gunzip(ReadFileBytes(path)); }

    ScopedDataRoot m_root;
};

TEST_F(ArchiveLayoutTest, GameFileHoldsHeaderBoardAndSnapshotsInOrder) {
    const CGameFieldFileData game = SampleGame();
    ByteWriter expected;
    expected.ArchiveHeader();
    PutGame(expected, game);

    GameFile::Write(File("game.sdk"), game);

    EXPECT_EQ(Archive(File("game.sdk")), expected.Bytes());
}

TEST_F(ArchiveLayoutTest, SessionFileHoldsSessionThenWindowThenAutoCheck) {
    const CGameFieldSerialData session = SampleSession();
    ByteWriter expected;
    expected.ArchiveHeader();
    expected.ClassInfo(0); // the field control
    PutGame(expected, session);
    expected.ClassInfo(0); // std::deque<CUndo>
    expected.SequenceStart(2);
    expected.ClassInfo(1); // CUndo; its CCell type is known from the board
    PutUndo(expected, session.undo[0]);
    PutUndo(expected, session.undo[1]);
    expected.SequenceStart(1);
    PutUndo(expected, session.redo[0]);
    expected.I32(-8).I32(30).I32(640).I32(720).U8(1);

    SessionFile::Write(File("default.dat"), session, {-8, 30, 632, 750}, true);

    EXPECT_EQ(Archive(File("default.dat")), expected.Bytes());
}

TEST_F(ArchiveLayoutTest, WinnersFileHoldsFourListsEasyToInsane) {
    const WinnersLists lists = SampleWinners();
    ByteWriter expected;
    expected.ArchiveHeader();
    expected.ClassInfo(0); // std::list<HiScoreEntry>
    expected.SequenceStart(2);
    expected.ClassInfo(1); // HiScoreEntry
    expected.ClassInfo(0); // std::array<char, 40>
    PutName(expected, lists[0].front().name.data(), 40);
    expected.I64(65);
    PutName(expected, lists[0].back().name.data(), 40);
    expected.I64(301);
    expected.SequenceStart(0);
    expected.SequenceStart(1);
    PutName(expected, lists[2].front().name.data(), 40);
    expected.I64(3609);
    expected.SequenceStart(0);

    WinnersFile::Write(File("top.dat"), lists);

    EXPECT_EQ(Archive(File("top.dat")), expected.Bytes());
}

// The level is one byte read back as signed; help-used is true for any byte but 0.
TEST_F(ArchiveLayoutTest, LevelByteIsSignedAndAnyHelpByteButZeroIsTrue) {
    CGameFieldFileData game;
    game.level = 0xFF;
    game.helpUsed = false;
    ByteWriter bytes;
    bytes.ArchiveHeader();
    PutGame(bytes, game);
    std::string archive = bytes.Bytes();
    const std::size_t helpByte = 40 + 5 + 5 + 4 + 8 + 8 + 8 + 1;
    ASSERT_EQ(archive[helpByte], '\0');
    archive[helpByte] = 2;
    WriteFileBytes(File("odd.sdk"), Gzip(archive));

    const CGameFieldFileData loaded = GameFile::Read(File("odd.sdk"));

    EXPECT_EQ(loaded.level, -1);
    EXPECT_TRUE(loaded.helpUsed);
}

TEST_F(ArchiveLayoutTest, GzipMemberCarriesTheCompressorParameters) {
    const CGameFieldFileData game = SampleGame();
    GameFile::Write(File("game.sdk"), game);
    const std::string file = ReadFileBytes(File("game.sdk"));
    ByteWriter archive;
    archive.ArchiveHeader();
    PutGame(archive, game);

    // Magic, deflate, no flags (no name, no comment), time 0, no level hint
    // (the default level), unknown system.
    const std::string header("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\xff", 10);
    ASSERT_GT(file.size(), 18u);
    EXPECT_EQ(file.substr(0, 10), header);
    // Level -1, window bits 15, memory level 8, default strategy.
    const std::string body = file.substr(10, file.size() - 18);
    EXPECT_EQ(body, Deflate(archive.Bytes(), Z_DEFAULT_COMPRESSION, 15, 8, Z_DEFAULT_STRATEGY));
    ByteWriter trailer;
    trailer.U32(crc32(0, reinterpret_cast<const Bytef*>(archive.Bytes().data()),
                      static_cast<uInt>(archive.Bytes().size())));
    trailer.U32(static_cast<std::uint32_t>(archive.Bytes().size()));
    EXPECT_EQ(file.substr(file.size() - 8), trailer.Bytes());
}

} // namespace
