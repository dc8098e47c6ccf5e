#include "store/store_file.h"

#include "store/sqlite_db.h"
#include "store_fixture.h"

#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;
using storetest::playOf;
using storetest::StoreTest;

std::string randomBytes(std::size_t count) {
    std::mt19937 random(7);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    return bytes;
}

// A store with plays, closed cleanly, its bytes.
std::string storeBytes(const fs::path& file, int plays) {
    {
        std::ostringstream ignored;
        auto scores = store::ScoreStore::open(file, ignored);
        for (int i = 0; i < plays; ++i) {
            scores->save(playOf(std::to_string(i), 50.0), ignored);
        }
    }
    return testsupport::readFile(file);
}

TEST(StoreFile, TheDateStampIsUtcIso8601) {
    using namespace std::chrono;
    const system_clock::time_point moment = sys_days{2024y / 5 / 1} + 18h + 30min + 7s;
    EXPECT_EQ(store::utcTimestamp(moment), "2024-05-01T18:30:07Z");
}

// Each foreign or damaged file: one line naming it, the file kept byte for
// byte under the broken name, and a new store that saves.
class BrokenStoreTest : public StoreTest {
protected:
    void expectSetAsideAndReplaced(const std::string& bytes, const std::string& reason) {
        auto scores = openStore();
        ASSERT_NE(scores, nullptr) << lines.str();
        EXPECT_EQ(lineCount(), 1) << lines.str();
        EXPECT_NE(lines.str().find(reason), std::string::npos) << lines.str();
        const std::vector<std::string> aside = setAside();
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(aside[0].rfind("scores.db.broken-", 0), 0u) << aside[0];
        EXPECT_NE(lines.str().find(aside[0]), std::string::npos) << lines.str();
        EXPECT_TRUE(testsupport::readFile(scratch.path() / aside[0]) == bytes)
            << "the file set aside is not the file as it was";
        EXPECT_TRUE(scores->save(playOf("a", 10.0), lines));
        EXPECT_EQ(scores->plays().size(), 1u);
    }
};

TEST_F(BrokenStoreTest, RandomBytes) {
    const std::string bytes = randomBytes(5000);
    scratch.write("scores.db", bytes);
    expectSetAsideAndReplaced(bytes, "not a SQLite database");
}

TEST_F(BrokenStoreTest, TextFile) {
    const std::string text = "my scores:\nsong a 97 %\n";
    scratch.write("scores.db", text);
    expectSetAsideAndReplaced(text, "not a SQLite database");
}

TEST_F(BrokenStoreTest, CutDatabase) {
    std::string bytes = storeBytes(file(), 200);
    ASSERT_GT(bytes.size(), 8192u);
    bytes.resize(bytes.size() / 2);
    fs::remove(file());
    scratch.write("scores.db", bytes);
    expectSetAsideAndReplaced(bytes, "cut short");
}

TEST_F(BrokenStoreTest, AnotherProgramsDatabase) {
    {
        store::Database other(file(), true, 0);
        other.exec("CREATE TABLE recipes (name TEXT); INSERT INTO recipes VALUES ('soup')");
    }
    const std::string bytes = testsupport::readFile(file());
    expectSetAsideAndReplaced(bytes, "another program's database");
}

TEST_F(BrokenStoreTest, ANewerSchema) {
    storeBytes(file(), 1);
    {
        store::Database newer(file(), true, 0);
        newer.exec("PRAGMA user_version = 99");
    }
    const std::string bytes = testsupport::readFile(file());
    expectSetAsideAndReplaced(bytes, "newer cueflight");
}

TEST_F(BrokenStoreTest, OurVersionWithTablesNotOurs) {
    {
        store::Database odd(file(), true, 0);
        odd.exec("CREATE TABLE plays (x); PRAGMA user_version = 1");
    }
    const std::string bytes = testsupport::readFile(file());
    expectSetAsideAndReplaced(bytes, "tables are not the scores'");
}

TEST_F(StoreTest, DamageFoundWhileSavingMovesTheStoreAsideAndSavesThePlayAnew) {
    std::string bytes = storeBytes(file(), 300);
    auto scores = openStore();
    ASSERT_NE(scores, nullptr);
    // Wreck the pages past the first two behind the open store's back, as a
    // failing disk would: nothing at opening could tell.
    {
        std::fstream wreck(file(), std::ios::in | std::ios::out | std::ios::binary);
        wreck.seekp(8192);
        const std::string noise = randomBytes(bytes.size() - 8192);
        wreck.write(noise.data(), static_cast<std::streamsize>(noise.size()));
    }
    EXPECT_TRUE(scores->save(playOf("a", 10.0), lines)) << lines.str();
    EXPECT_EQ(setAside().size(), 1u) << lines.str();
    EXPECT_EQ(scores->plays().size(), 1u);
}

TEST_F(StoreTest, MovingAsideNeverReplacesAnEarlierBrokenFileNorLeavesTheLogBehind) {
    using namespace std::chrono;
    const system_clock::time_point now = sys_days{2024y / 5 / 1} + 12h;
    scratch.write("scores.db.broken-20240501T120000Z", "first");
    scratch.write("scores.db", "second");
    scratch.write("scores.db-wal", "its log");
    std::string error;
    const std::optional<fs::path> aside = store::moveAside(file(), now, error);
    ASSERT_TRUE(aside) << error;
    EXPECT_EQ(aside->filename(), "scores.db.broken-20240501T120000Z-2");
    EXPECT_EQ(testsupport::readFile(scratch.path() / "scores.db.broken-20240501T120000Z"), "first");
    EXPECT_EQ(testsupport::readFile(*aside), "second");
    EXPECT_EQ(testsupport::readFile(aside->string() + "-wal"), "its log");
    EXPECT_FALSE(fs::exists(file()));
    EXPECT_FALSE(fs::exists(scratch.path() / "scores.db-wal"));
}

} // namespace
