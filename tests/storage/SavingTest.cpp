// Saving under faults: a full disk, a read-only folder or file, two copies of
// the game saving at the same time, and a default.dat or top.dat that cannot
// be used. The previous file is never damaged, no file is ever a mix of two
// saves, and a refused file is kept beside the new one as "<name>.bad".

#include "StorageTestSupport.h"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = boost::filesystem;

namespace {

// Starts `body` in a forked copy of the test, which exits with the body's
// result. Faults that would disturb the test itself (a file-size limit, lost
// rights) are set up inside the child only.
pid_t StartChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        int code = 99;
        try {
            code = body();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "child: %s\n", error.what());
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    return child;
}

// The child's exit code, or 128 + the signal that ended it.
int WaitFor(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs `body` in a child that gives up root first (to user and group 65534),
// after `folders` were handed to that user, so that file permissions hold as
// they do for a player. Without root the child keeps the test's user.
int RunAsPlayer(const std::vector<fs::path>& folders, const std::function<int()>& body) {
    constexpr uid_t Player = 65534;
    const bool root = ::geteuid() == 0;
    for (const fs::path& folder : folders) {
        if (root && ::chown(folder.c_str(), Player, Player) != 0) {
            throw std::runtime_error("cannot hand over " + folder.string());
        }
    }
    return WaitFor(StartChild([&] {
        if (root && (::setgid(Player) != 0 || ::setuid(Player) != 0)) {
            return 98;
        }
        return body();
    }));
}

// Content that compresses to several kilobytes, told apart by `variant`.
CGameFieldFileData BigGame(int variant) {
    CGameFieldFileData game = SampleGame();
    game.startTime = 1000 + variant;
    std::uint32_t noise = 12345;
    game.snapShots.resize(20); // the most a game file holds
    for (CSnapShot& snapShot : game.snapShots) {
        for (CCell& cell : snapShot.field.cells) {
            noise = noise * 1103515245 + 12345;
            cell = {static_cast<std::uint8_t>(noise >> 16 & 7), static_cast<std::uint16_t>(noise)};
        }
    }
    return game;
}

CGameFieldSerialData BigSession(int variant) {
    CGameFieldSerialData session = SampleSession();
    static_cast<CGameFieldFileData&>(session) = BigGame(variant);
    return session;
}

WinnersLists BigWinners(int variant) {
    WinnersLists lists = SampleWinners();
    for (int i = 0; i < 2000; ++i) {
        lists[i % 4].push_back(Winner("player " + std::to_string(i * 7919 % 10007), i * 13));
    }
    lists[3].push_back(Winner("variant", variant));
    return lists;
}

// A stored file in the data folder: how to save a variant, which variant a
// file holds (throws when it cannot be read), and, for the two files read at
// start, their load over live data (LoadSession, LoadWinners).
struct StoredFile {
    const char* fileName;
    std::function<bool(const fs::path& folder, int variant)> save;
    std::function<int(const fs::path& file)> variantOf;
    std::function<std::string()> load;
};

// Every session is saved with auto-check on; a file read with it off holds
// no variant.
const StoredFile Session{"default.dat",
                         [](const fs::path&, int variant) {
                             return SessionFile::Save(BigSession(variant), {10, 20, 30, 40}, true);
                         },
                         [](const fs::path& file) {
                             const SessionFileContent content = SessionFile::Read(file);
                             return content.autoCheck
                                        ? static_cast<int>(content.session.startTime - 1000)
                                        : -1;
                         },
                         LoadSession};

const StoredFile Winners{
    "top.dat", [](const fs::path&, int variant) { return WinnersFile::Save(BigWinners(variant)); },
    [](const fs::path& file) { return static_cast<int>(WinnersFile::Read(file)[3].back().time); },
    LoadWinners};

const StoredFile Game{
    "game.sdk",
    [](const fs::path& folder, int variant) {
        try {
            GameFile::Write(folder / "game.sdk", BigGame(variant));
            return true;
        } catch (const std::exception&) {
            return false;
        }
    },
    [](const fs::path& file) { return static_cast<int>(GameFile::Read(file).startTime - 1000); },
    nullptr};

const StoredFile* const AllFiles[] = {&Session, &Winners, &Game};
const StoredFile* const FilesReadAtStart[] = {&Session, &Winners};

class SavingTest : public testing::Test {
protected:
    fs::path Folder() const { return m_root.Path() / "Kalmora"; }
    fs::path Target(const StoredFile& file) const { return Folder() / file.fileName; }
    fs::path Aside(const StoredFile& file) const {
        return Folder() / (std::string(file.fileName) + ".bad");
    }
    bool Save(const StoredFile& file, int variant) const { return file.save(Folder(), variant); }

    ScopedDataRoot m_root;
};

// The new bytes go to a temporary file that is renamed over the target only
// when complete: when the write itself fails (the disk is full after 1 KiB),
// the failure is reported, the target and every hard link to it keep the old
// bytes, and no temporary is left behind.
TEST_F(SavingTest, FullDiskLeavesThePreviousFileAndItsHardLinksWhole) {
    for (const StoredFile* file : AllFiles) {
        SCOPED_TRACE(file->fileName);
        fs::create_directories(Folder());
        ASSERT_TRUE(Save(*file, 1));
        const std::string previous = ReadFileBytes(Target(*file));
        ASSERT_GT(previous.size(), 2048u);
        const fs::path link = m_root.Path() / "link";
        fs::create_hard_link(Target(*file), link);

        const int code = WaitFor(StartChild([&] {
            // The write then fails instead of ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return Save(*file, 2) ? 1 : 0;
        }));

        EXPECT_EQ(code, 0) << "the save must report failure";
        EXPECT_EQ(ReadFileBytes(Target(*file)), previous);
        EXPECT_EQ(ReadFileBytes(link), previous);
        EXPECT_EQ(FileNames(Folder()), std::vector<std::string>{file->fileName});
        fs::remove(link);
        fs::remove(Target(*file));
    }
}

// The game stays playable: the files are read, and the saves at exit fail
// quietly without touching the files there.
TEST_F(SavingTest, ReadOnlyDataFolderKeepsItsFiles) {
    ASSERT_TRUE(Save(Session, 1));
    ASSERT_TRUE(Save(Winners, 1));
    const std::string session = ReadFileBytes(Target(Session));
    const std::string winners = ReadFileBytes(Target(Winners));
    fs::permissions(Folder(), fs::owner_read | fs::owner_exe | fs::group_read | fs::group_exe |
                                  fs::others_read | fs::others_exe);

    const int code = RunAsPlayer({m_root.Path()}, [&] {
        if (LoadSession() != "loaded" || LoadWinners() != "loaded") {
            return 1;
        }
        return Save(Session, 2) || Save(Winners, 2) ? 2 : 0;
    });

    EXPECT_EQ(code, 0) << "1: not loaded, 2: saved into a read-only folder";
    fs::permissions(Folder(), fs::owner_all);
    EXPECT_EQ(ReadFileBytes(Target(Session)), session);
    EXPECT_EQ(ReadFileBytes(Target(Winners)), winners);
    EXPECT_EQ(FileNames(Folder()).size(), 2u);
}

// A file the player may not write is not replaced, though the folder would
// let a new file be renamed over it.
TEST_F(SavingTest, ReadOnlyFileIsNotReplaced) {
    fs::create_directories(Folder());
    ASSERT_TRUE(Save(Game, 1));
    fs::permissions(Target(Game), fs::owner_read | fs::group_read | fs::others_read);

    const int code = RunAsPlayer({m_root.Path(), Folder()}, [&] { return Save(Game, 2) ? 1 : 0; });

    EXPECT_EQ(code, 0) << "a read-only file was replaced";
    EXPECT_EQ(Game.variantOf(Target(Game)), 1);
    EXPECT_EQ(FileNames(Folder()), std::vector<std::string>{"game.sdk"});
}

// Copies save over and over while the file is read: every read finds one
// whole save, never a mix, and the last save stands at the end.
TEST_F(SavingTest, CopiesSavingAtOnceNeverMixTheirFiles) {
    constexpr int Copies = 3;
    constexpr int SavesEach = 12;
    for (const StoredFile* file : AllFiles) {
        SCOPED_TRACE(file->fileName);
        fs::create_directories(Folder());
        ASSERT_TRUE(Save(*file, 0));
        std::vector<pid_t> copies;
        for (int copy = 1; copy <= Copies; ++copy) {
            copies.push_back(StartChild([&] {
                bool allSaved = true;
                for (int i = 0; i < SavesEach; ++i) {
                    allSaved = Save(*file, copy) && allSaved;
                }
                return allSaved ? 0 : 1;
            }));
        }
        std::set<int> seen;
        for (int i = 0; i < 40; ++i) {
            ASSERT_NO_THROW(seen.insert(file->variantOf(Target(*file))));
        }
        for (const pid_t pid : copies) {
            EXPECT_EQ(WaitFor(pid), 0);
        }
        for (const int variant : seen) {
            EXPECT_TRUE(variant >= 0 && variant <= Copies) << variant;
        }
        ASSERT_TRUE(Save(*file, 9)); // the last to exit
        EXPECT_EQ(file->variantOf(Target(*file)), 9);
        EXPECT_EQ(FileNames(Folder()), std::vector<std::string>{file->fileName});
        fs::remove(Target(*file));
    }
}

// Puts a spoiled copy of a sound file in its place: damaged bytes (any
// damage the readers refuse takes the same way), a file the player may not
// read, and a folder.
struct Spoil {
    const char* name;
    std::function<void(const fs::path& file)> apply;
};

const Spoil Spoils[] = {
    {"damaged",
     [](const fs::path& f) {
         std::string bytes = ReadFileBytes(f);
         for (std::size_t i = bytes.size() / 3; i < 2 * bytes.size() / 3; ++i) {
             bytes[i] = static_cast<char>(bytes[i] ^ 0x55);
         }
         WriteFileBytes(f, bytes);
     }},
    {"unreadable", [](const fs::path& f) { fs::permissions(f, fs::no_perms); }},
    {"folder",
     [](const fs::path& f) {
         fs::remove(f);
         fs::create_directory(f);
         WriteFileBytes(f / "inside", "kept");
     }},
};

// Start and exit of a player's run: the refused file is not taken, and the
// new file is written. Another copy of the game saves first (variant 2): it
// moves the refused file aside, and this copy's save (variant 3) must not
// move that sound file aside in turn. The run is a child process of another
// user so that an unreadable file is unreadable even to a root test.
TEST_F(SavingTest, EachRefusedFileIsKeptBesideTheNewOne) {
    for (const StoredFile* file : FilesReadAtStart) {
        for (const Spoil& spoil : Spoils) {
            SCOPED_TRACE(std::string(file->fileName) + " " + spoil.name);
            ASSERT_TRUE(Save(*file, 1));
            spoil.apply(Target(*file));
            const bool isFolder = fs::is_directory(Target(*file));
            const std::string spoiled = ReadFileBytes(Target(*file) / (isFolder ? "inside" : ""));

            const int code = RunAsPlayer({m_root.Path(), Folder()}, [&] {
                if (file->load() != "refused") {
                    return 1;
                }
                return Save(*file, 2) && Save(*file, 3) ? 0 : 2;
            });

            ASSERT_EQ(code, 0) << "1: the file was taken, 2: a save failed";
            EXPECT_EQ(file->variantOf(Target(*file)), 3);
            EXPECT_EQ(ReadFileBytes(Aside(*file) / (isFolder ? "inside" : "")), spoiled);
            fs::remove(Target(*file));
        }
        // Only the latest refused file is kept, and no temporary is left over.
        EXPECT_EQ(FileNames(Folder()), std::vector<std::string>{Aside(*file).filename().string()});
        fs::remove_all(Aside(*file));
    }
}

} // namespace
