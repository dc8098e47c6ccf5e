#include "store/store_schema.h"

#include "store/sqlite_db.h"
#include "store_fixture.h"

#include <map>

namespace {

using storetest::playOf;
using storetest::StoreTest;

// A play as each earlier schema version held it, written with that
// version's own SQL. Raising kSchemaVersion without adding the version it
// leaves behind here fails the test below.
const std::map<int, const char*> kPlayAtVersion = {
    {0, nullptr}, // an empty file: nothing to keep
};

TEST_F(StoreTest, AStoreOfEveryEarlierVersionOpensWithItsPlaysKept) {
    for (int version = 0; version < store::kSchemaVersion; ++version) {
        SCOPED_TRACE("schema version " + std::to_string(version));
        ASSERT_TRUE(kPlayAtVersion.contains(version)) << "no store of this version to open";
        std::filesystem::remove(file());
        {
            store::Database old(file(), true, 0);
            for (int step = 1; step <= version; ++step) {
                old.exec(store::migrationTo(step));
            }
            old.exec(("PRAGMA user_version = " + std::to_string(version)).c_str());
            if (const char* play = kPlayAtVersion.at(version)) {
                old.exec(play);
            }
        }
        const std::size_t kept = kPlayAtVersion.at(version) != nullptr ? 1 : 0;
        auto scores = openStore();
        ASSERT_NE(scores, nullptr) << lines.str();
        EXPECT_EQ(scores->plays().size(), kept);
        EXPECT_TRUE(scores->save(playOf("a", 50.0), lines));
        EXPECT_EQ(scores->plays().size(), kept + 1);
        EXPECT_TRUE(setAside().empty()) << lines.str();
    }
    {
        store::Database opened(file(), true, 0);
        EXPECT_EQ(opened.queryInteger("PRAGMA user_version"), store::kSchemaVersion);
    }
}

TEST_F(StoreTest, AnEmptyFileIsANewStore) {
    scratch.write("scores.db", "");
    auto scores = openStore();
    ASSERT_NE(scores, nullptr);
    EXPECT_TRUE(scores->save(playOf("a", 50.0), lines));
    EXPECT_TRUE(setAside().empty());
    EXPECT_EQ(lines.str(), "");
}

} // namespace
