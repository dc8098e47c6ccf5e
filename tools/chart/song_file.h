#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "analysis_signal.h"

namespace chart {

// A song as the charting hears it: one channel at the analysis rate.
struct DecodedSong {
    AnalysisSignal signal;
    double seconds = 0.0; // the whole song's length
};

// Decodes a song with libsndfile (WAV, FLAC, Ogg Vorbis, Opus, MP3 and more),
// mixing it down as it goes, so memory follows the song's length and not its
// channels or rate. Without a song, `error` says why in a few words. A file
// whose header shows more channels, another rate or more length than the
// charting takes is refused before any of it is decoded; one whose header
// does not tell its length is read only a little past the longest.
// `decoded` hears the share of the song decoded so far (0 to 1) after every
// piece, when the header tells the length.
std::optional<DecodedSong> decodeSong(const std::filesystem::path& path, std::string& error,
                                      const std::function<void(double)>& decoded = {});

} // namespace chart
