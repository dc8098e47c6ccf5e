#include "cue_track.h"

#include <algorithm>
#include <utility>

#include "game/recording_format.h"

#include "song_timing.h"

namespace songgen {

std::vector<int64_t> selectCues(const Score& score) {
    std::vector<int64_t> accents;
    for (const Note& note : score.notes) {
        bool clickable =
            note.voice == Voice::Lead || note.voice == Voice::Bell || note.voice == Voice::Snare;
        if (note.accent && clickable && sampleToMs(note.start) < gameEndMs) {
            accents.push_back(note.start);
        }
    }
    std::sort(accents.begin(), accents.end());
    std::vector<int64_t> cues;
    for (int64_t start : accents) {
        // A lead note on a snare hit is one accent; a hit too soon after the
        // last cue would leave the player no time to aim.
        if (cues.empty() || sampleToMs(start) - sampleToMs(cues.back()) >= minCueSpacingMs) {
            cues.push_back(start);
        }
    }
    return cues;
}

std::vector<int64_t> beatStarts() {
    std::vector<int64_t> beats;
    for (int64_t beat = 0; beat * samplesPerBeat < songBars * samplesPerBar; ++beat) {
        beats.push_back(beat * samplesPerBeat);
    }
    return beats;
}

std::vector<double> beatTrackRecords(const std::vector<int64_t>& beats) {
    std::vector<double> records;
    for (int64_t beat : beats) {
        records.push_back(sampleToMs(beat));
    }
    return game::beatRecordsWithPadding(std::move(records), sampleToMs(samplesPerBeat));
}

std::vector<double> cueTrackRecords(const std::vector<int64_t>& cues) {
    std::vector<double> records;
    for (int64_t cue : cues) {
        records.push_back(sampleToMs(cue));
    }
    return game::cueRecordsWithPadding(std::move(records), cueAfterSongEndMs);
}

} // namespace songgen
