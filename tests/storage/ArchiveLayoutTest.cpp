// The bytes of every stored type, compared with layouts written out by hand:
// archive header, class information at a type's first occurrence, counts,
// element versions and members in their widths.

#include "StorageTestSupport.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

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

    ScopedDataRoot m_root;
};

TEST_F(ArchiveLayoutTest, EachFileHoldsItsLayoutInOneGzipMemberAndReadsBack) {
    const CGameFieldFileData game = SampleGame();
    ByteWriter gameBytes;
    gameBytes.ArchiveHeader();
    PutGame(gameBytes, game);

    const CGameFieldSerialData session = SampleSession();
    ByteWriter sessionBytes;
    sessionBytes.ArchiveHeader();
    sessionBytes.ClassInfo(0); // the field control
    PutGame(sessionBytes, session);
    sessionBytes.ClassInfo(0); // std::deque<CUndo>
    sessionBytes.SequenceStart(2);
    sessionBytes.ClassInfo(1); // CUndo; its CCell type is known from the board
    PutUndo(sessionBytes, session.undo[0]);
    PutUndo(sessionBytes, session.undo[1]);
    sessionBytes.SequenceStart(1);
    PutUndo(sessionBytes, session.redo[0]);
    // Left, top, width, height, then auto-check.
    sessionBytes.I32(-8).I32(30).I32(640).I32(720).U8(1);

    // Four lists, Easy to Insane.
    const WinnersLists lists = SampleWinners();
    ByteWriter winnersBytes;
    winnersBytes.ArchiveHeader();
    winnersBytes.ClassInfo(0); // std::list<HiScoreEntry>
    winnersBytes.SequenceStart(2);
    winnersBytes.ClassInfo(1); // HiScoreEntry
    winnersBytes.ClassInfo(0); // std::array<char, 40>
    PutName(winnersBytes, lists[0].front().name.data(), 40);
    winnersBytes.I64(65);
    PutName(winnersBytes, lists[0].back().name.data(), 40);
    winnersBytes.I64(301);
    winnersBytes.SequenceStart(0);
    winnersBytes.SequenceStart(1);
    PutName(winnersBytes, lists[2].front().name.data(), 40);
    winnersBytes.I64(3609);
    winnersBytes.SequenceStart(0);

    GameFile::Write(File("game.sdk"), game);
    SessionFile::Write(File("default.dat"), session, {-8, 30, 632, 750}, true);
    WinnersFile::Write(File("top.dat"), lists);

    EXPECT_EQ(Gunzip(ReadFileBytes(File("default.dat"))), sessionBytes.Bytes());
    EXPECT_EQ(Gunzip(ReadFileBytes(File("top.dat"))), winnersBytes.Bytes());
    // Magic, deflate, no flags (no name, no comment), time 0, no level hint
    // (the default level), unknown system; then the archive deflated with the
    // parameters Gzip uses (level -1, window bits 15, memory level 8, default
    // strategy), its checksum and its length.
    const std::string file = ReadFileBytes(File("game.sdk"));
    EXPECT_EQ(file.substr(0, 10), std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\xff", 10));
    EXPECT_EQ(file.substr(10), Gzip(gameBytes.Bytes()).substr(10));

    // Read back, the level byte is signed and any help byte but 0 is true.
    std::string odd = gameBytes.Bytes();
    const std::size_t levelByte = 40 + 5 + 5 + 4 + 8 + 8 + 8;
    ASSERT_EQ(odd.substr(levelByte, 2), std::string("\x02\x01", 2));
    odd[levelByte] = static_cast<char>(0xFF);
    odd[levelByte + 1] = 2;
    WriteFileBytes(File("odd.sdk"), Gzip(odd));
    const CGameFieldFileData loaded = GameFile::Read(File("odd.sdk"));
    EXPECT_EQ(loaded.level, -1);
    EXPECT_TRUE(loaded.helpUsed);
}

} // namespace
