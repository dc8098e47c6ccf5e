#pragma once

#include "store/play_record.h"
#include "store/score_store.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>

namespace storetest {

// A play of `songId` with three judged cues: a hit, a click before its
// window and a miss.
inline store::PlayRecord playOf(const std::string& songId, double accuracy,
                                const std::string& density = "normal", bool demo = false) {
    store::PlayRecord play;
    play.song = {songId, "Title " + songId, "Artist", songId + ".ogg", 123456};
    play.density = density;
    play.chartVersion = 1;
    play.offsetMs = -12;
    play.playedAt = "2024-05-01T18:30:00Z";
    play.accuracy = accuracy;
    play.rating = "Gamer";
    play.hits = 1;
    play.misses = 2;
    play.bestStreak = 1;
    play.meanMs = 4.5;
    play.spreadMs = 0.0;
    play.demo = demo;
    play.cues = {{2000.0, store::CueOutcome::Hit, 4.5},
                 {2600.0, store::CueOutcome::TooEarly, -310.0},
                 {3300.0, store::CueOutcome::Missed, std::nullopt}};
    return play;
}

// A store file in a scratch folder; `lines` collects what the store says.
class StoreTest : public testing::Test {
protected:
    std::unique_ptr<store::ScoreStore> openStore() {
        return store::ScoreStore::open(file(), lines);
    }
    std::filesystem::path file() const { return scratch.path() / "scores.db"; }
    long lineCount() const {
        const std::string told = lines.str();
        return std::count(told.begin(), told.end(), '\n');
    }
    // The names in the scratch folder other than the store and its journals.
    std::vector<std::string> setAside() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch.path())) {
            const std::string name = entry.path().filename().string();
            if (name.find(".broken-") != std::string::npos) {
                names.push_back(name);
            }
        }
        return names;
    }

    testsupport::ScratchDir scratch;
    std::ostringstream lines;
};

} // namespace storetest
