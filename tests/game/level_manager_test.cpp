#include "game/level.h"
#include "game/level_manager.h"

#include <gtest/gtest.h>

TEST(LevelManager, AddingPastTheCapacityGrowsTheRegistry) {
    util::LevelManager::destroyInstance();
    util::LevelManager& manager = *util::LevelManager::getInstance();
    EXPECT_EQ(manager.currentLevel(), nullptr);
    EXPECT_EQ(manager.getCapacity(), 1);
    auto* first = new Level("level1");
    manager.addLevel(first);
    EXPECT_EQ(manager.getCurrentIndex(), 0);
    EXPECT_EQ(manager.currentLevel(), first);
    auto* second = new Level("level2");
    auto* third = new Level("level3");
    manager.addLevel(second);
    manager.addLevel(third);
    EXPECT_EQ(manager.currentLevel(), third);
    EXPECT_GE(manager.getCapacity(), 3);
    // The caller may take the current level back; its slot then reads empty.
    Level* taken = manager.releaseCurrentLevel();
    EXPECT_EQ(taken, third);
    EXPECT_EQ(manager.currentLevel(), nullptr);
    delete taken;
    util::LevelManager::destroyInstance(); // frees the two still held
}
