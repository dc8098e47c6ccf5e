#pragma once

#include "util/singleton.h"

#include <vector>

class Level;

namespace util {

// The registry of levels: it owns every level added and knows the current one.
class LevelManager : public Singleton<LevelManager> {
    friend class Singleton<LevelManager>;

public:
    // Destroys and frees every level still held.
    ~LevelManager() override;

    // Takes ownership; the new level becomes the current one. The registry
    // grows as needed.
    void addLevel(Level* level);
    // The current level; null before the first addLevel.
    Level* currentLevel() const;
    // Hands the current level back to the caller, who destroys it; its slot
    // reads as empty afterwards.
    Level* releaseCurrentLevel();

    int getCurrentIndex() const { return currentIndex; }
    int getCapacity() const { return static_cast<int>(levels.size()); }

private:
    LevelManager();

    std::vector<Level*> levels; // owned; an empty slot is null
    int currentIndex = -1;      // -1 until a level is added
};

} // namespace util
