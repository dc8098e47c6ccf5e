#include "song_generator.h"

#include <fstream>
#include <iostream>

#include "audio_io.h"
#include "cue_track.h"
#include "game/recording_format.h"
#include "mixer.h"
#include "score.h"
#include "song_timing.h"
#include "sound_effects.h"

namespace songgen {
namespace {

bool writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "cannot write " << path.string() << std::endl;
        return false;
    }
    return true;
}

} // namespace

bool generateAll(const std::filesystem::path& runDir) {
    std::error_code error;
    std::filesystem::create_directories(runDir / songFile.parent_path(), error);
    if (error) {
        std::cerr << "cannot create " << (runDir / songFile.parent_path()).string() << ": "
                  << error.message() << std::endl;
        return false;
    }
    const Score score = composeSong();
    const std::vector<int64_t> cues = selectCues(score);
    bool written =
        writeText(runDir / beatTrackFile, game::recordingText(beatTrackRecords(beatStarts())));
    written =
        writeText(runDir / cueTrackFile, game::recordingText(cueTrackRecords(cues))) && written;
    written = writeWav(runDir / stabFile, renderStab()) && written;
    written = writeWav(runDir / clickFile, renderClick()) && written;
    return writeMp3(runDir / songFile, renderMix(score, songSamples)) && written;
}

} // namespace songgen
