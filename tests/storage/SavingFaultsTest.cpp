// Saving under faults: a full disk, a data folder that cannot be written, and
// two copies of the game saving at the same time. The previous file is never
// damaged and no file is ever a mix of two saves.

#include "ChildProcess.h"
#include "StorageSamples.h"
#include "StorageTestSupport.h"

#include "storage/GameFile.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = boost::filesystem;

namespace {

// Content that compresses to several kilobytes, told apart by `variant`.
CGameFieldSerialData BigSession(int variant) {
    CGameFieldSerialData session = SampleSession();
    session.startTime = 1000 + variant;
    for (std::uint32_t i = 0; i < 20000; ++i) {
        const auto value = static_cast<std::uint8_t>((i * 7 + i / 9) % 10);
        session.undo.push_back(
            {{value, static_cast<std::uint16_t>(i * 37 % 512)}, i % 9 + 1, i / 9 % 9 + 1});
    }
    return session;
}

CGameFieldFileData BigGame(int variant) {
    CGameFieldFileData game = SampleGame();
    game.startTime = 1000 + variant;
    std::uint32_t noise = 12345;
    game.snapShots.resize(20);
    for (CSnapShot& snapShot : game.snapShots) {
        for (CCell& cell : snapShot.field.cells) {
            noise = noise * 1103515245 + 12345;
            cell = {static_cast<std::uint8_t>(noise >> 16 & 7), static_cast<std::uint16_t>(noise)};
        }
    }
    return game;
}

WinnersLists BigWinners(int variant) {
    WinnersLists lists = SampleWinners();
    for (int i = 0; i < 2000; ++i) {
        lists[i % 4].push_back(Winner("player " + std::to_string(i * 7919 % 10007), i * 13));
    }
    lists[3].push_back(Winner("variant", variant));
    return lists;
}

int SessionVariant(const fs::path& path) {
    return static_cast<int>(SessionFile::Read(path).session.startTime - 1000);
}

int WinnersVariant(const fs::path& path) {
    return static_cast<int>(WinnersFile::Read(path)[3].back().time);
}

// A stored file: how to save a variant, and which variant a file holds.
struct Saver {
    const char* name;
    const char* fileName;
    std::function<bool(const fs::path& folder, int variant)> save;
    std::function<int(const fs::path& file)> variantOf;
};

const Saver Savers[] = {
    {"session", "default.dat",
     [](const fs::path&, int variant) {
         return SessionFile::Save(BigSession(variant), {0, 0, 640, 480}, false);
     },
     SessionVariant},
    {"winners", "top.dat",
     [](const fs::path&, int variant) { return WinnersFile::Save(BigWinners(variant)); },
     WinnersVariant},
    {"game file", "game.sdk",
     [](const fs::path& folder, int variant) {
         try {
             GameFile::Write(folder / "game.sdk", BigGame(variant));
             return true;
         } catch (const std::exception&) {
             return false;
         }
     },
     [](const fs::path& file) { return static_cast<int>(GameFile::Read(file).startTime - 1000); }},
};

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

class SavingFaultsTest : public testing::Test {
protected:
    fs::path Folder() const { return m_root.Path() / "Kalmora"; }

    ScopedDataRoot m_root;
};

TEST_F(SavingFaultsTest, FullDiskLeavesThePreviousFileWhole) {
    for (const Saver& saver : Savers) {
        SCOPED_TRACE(saver.name);
        fs::create_directories(Folder());
        ASSERT_TRUE(saver.save(Folder(), 1));
        const std::string previous = ReadFileBytes(Folder() / saver.fileName);
        ASSERT_GT(previous.size(), 2048u);

        const int code = RunInChild([&] {
            // The disk is full after 1 KiB; the write then fails instead of killing the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return saver.save(Folder(), 2) ? 1 : 0;
        });

        EXPECT_EQ(code, 0) << "the save must report failure";
        EXPECT_EQ(ReadFileBytes(Folder() / saver.fileName), previous);
        EXPECT_EQ(FileNames(Folder()), std::vector<std::string>{saver.fileName});
        fs::remove(Folder() / saver.fileName);
    }
}

// The game stays playable: the session is read, and the save at exit fails
// quietly without touching the files there.
TEST_F(SavingFaultsTest, ReadOnlyDataFolderKeepsItsFiles) {
    ASSERT_TRUE(SessionFile::Save(SampleSession(), {1, 2, 3, 4}, true));
    ASSERT_TRUE(WinnersFile::Save(SampleWinners()));
    const std::string session = ReadFileBytes(Folder() / "default.dat");
    const std::string winners = ReadFileBytes(Folder() / "top.dat");
    if (!RunningAsRoot()) {
        fs::permissions(Folder(), fs::owner_read | fs::owner_exe);
    }

    const int code = RunAsPlayer({m_root.Path()}, [] {
        CGameFieldSerialData live;
        StoredWindowRect window;
        bool autoCheck = false;
        WinnersLists lists;
        if (!SessionFile::Load(live, window, autoCheck) || !WinnersFile::Load(lists)) {
            return 1;
        }
        if (!(live == SampleSession()) || !(lists == SampleWinners())) {
            return 2;
        }
        live.field.cells[5] = {3, 0};
        const bool saved = SessionFile::Save(live, window, autoCheck) || WinnersFile::Save(lists);
        return saved ? 3 : 0;
    });

    EXPECT_EQ(code, 0) << "1: not loaded, 2: loaded wrong, 3: saved into a read-only folder";
    fs::permissions(Folder(), fs::owner_all);
    EXPECT_EQ(ReadFileBytes(Folder() / "default.dat"), session);
    EXPECT_EQ(ReadFileBytes(Folder() / "top.dat"), winners);
    EXPECT_EQ(FileNames(Folder()).size(), 2u);
}

// Copies save over and over while the file is read: every read finds one
// whole save, never a mix, and the last save stands at the end.
TEST_F(SavingFaultsTest, CopiesSavingAtOnceNeverMixTheirFiles) {
    constexpr int Copies = 3;
    constexpr int SavesEach = 12;
    for (const Saver& saver : Savers) {
        SCOPED_TRACE(saver.name);
        fs::create_directories(Folder());
        const fs::path file = Folder() / saver.fileName;
        ASSERT_TRUE(saver.save(Folder(), 0));
        std::vector<pid_t> copies;
        for (int copy = 1; copy <= Copies; ++copy) {
            std::fflush(nullptr);
            const pid_t pid = ::fork();
            if (pid == 0) {
                bool allSaved = true;
                for (int i = 0; i < SavesEach; ++i) {
                    allSaved = saver.save(Folder(), copy) && allSaved;
                }
                ::_exit(allSaved ? 0 : 1);
            }
            copies.push_back(pid);
        }
        std::set<int> seen;
        for (int i = 0; i < 40; ++i) {
            ASSERT_NO_THROW(seen.insert(saver.variantOf(file)));
        }
        for (const pid_t pid : copies) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        for (const int variant : seen) {
            EXPECT_TRUE(variant >= 0 && variant <= Copies) << variant;
        }
        ASSERT_TRUE(saver.save(Folder(), 9)); // the last to exit
        EXPECT_EQ(saver.variantOf(file), 9);
        EXPECT_EQ(FileNames(Folder()), std::vector<std::string>{saver.fileName});
        fs::remove(file);
    }
}

} // namespace
