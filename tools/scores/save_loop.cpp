// The end of a song over and over, for scripts/kill_while_saving.sh: opens
// the store as the game does (damage check, schema), saves a play, closes,
// and prints "saved <play id> <token>" once the transaction has committed,
// just where the end screen would show "saved". The token, a random number
// kept as the play's chart version, tells a kept play from a later one that
// took the id of a lost one.

#include "store/score_store.h"

#include <iostream>
#include <random>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: scores_save_loop STORE PLAYS" << std::endl;
        return 2;
    }
    std::random_device seed;
    std::mt19937 random(seed());
    const int plays = std::stoi(argv[2]);
    for (int i = 0; i < plays; ++i) {
        store::PlayRecord play;
        play.song = {std::string(64, 'a'), "Loop", "", "loop.ogg", 20000};
        play.density = "normal";
        play.chartVersion = static_cast<int>(random() % 1000000000);
        play.playedAt = "2024-05-01T18:30:00Z";
        play.accuracy = i % 101;
        play.rating = "Gamer";
        play.hits = 150;
        play.misses = 5;
        for (int cue = 0; cue < 155; ++cue) {
            play.cues.push_back({700.0 * cue, store::CueOutcome::Hit, (cue % 21) - 10.0});
        }
        std::unique_ptr<store::ScoreStore> scores = store::ScoreStore::open(argv[1], std::cerr);
        std::optional<store::SaveReceipt> receipt;
        if (scores) {
            receipt = scores->save(play, std::cerr);
        }
        if (!receipt) {
            return 1;
        }
        std::cout << "saved " << receipt->playId << " " << play.chartVersion << std::endl;
    }
    return 0;
}
