#include "game/level_manager.h"

#include "game/level.h"

namespace util {

LevelManager::LevelManager() : levels(1, nullptr) {}

LevelManager::~LevelManager() {
    for (Level* level : levels) {
        if (level != nullptr) {
            level->destroy();
            delete level;
        }
    }
}

void LevelManager::addLevel(Level* level) {
    currentIndex += 1;
    if (currentIndex >= static_cast<int>(levels.size())) {
        levels.resize(levels.size() * 2, nullptr);
    }
    levels[static_cast<std::size_t>(currentIndex)] = level;
}

Level* LevelManager::currentLevel() const {
    if (currentIndex < 0) {
        return nullptr;
    }
    return levels[static_cast<std::size_t>(currentIndex)];
}

Level* LevelManager::releaseCurrentLevel() {
    Level* level = currentLevel();
    if (level != nullptr) {
        levels[static_cast<std::size_t>(currentIndex)] = nullptr;
    }
    return level;
}

} // namespace util
