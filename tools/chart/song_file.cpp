#include "song_file.h"

#include <sndfile.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "chart.h"

namespace chart {

namespace {

constexpr sf_count_t kChunkFrames = 65536;

struct FileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

// Formats that learn their length only at the end report none, or the
// largest count there is.
bool headerTellsLength(const SF_INFO& info) {
    return info.frames > 0 && info.frames < SF_COUNT_MAX;
}

} // namespace

std::optional<DecodedSong> decodeSong(const std::filesystem::path& path, std::string& error,
                                      const std::function<void(double)>& decoded) {
    std::error_code status;
    if (!std::filesystem::is_regular_file(path, status)) {
        error = std::filesystem::exists(path, status) ? "not a file" : "no such file";
        return std::nullopt;
    }
    SF_INFO info{};
    std::unique_ptr<SNDFILE, FileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error = std::string("not audio that can be decoded (") + sf_strerror(nullptr) + ")";
        return std::nullopt;
    }
    error = formatProblem(info.channels, info.samplerate);
    if (error.empty() && headerTellsLength(info)) {
        error = lengthProblem(static_cast<double>(info.frames) / info.samplerate);
    }
    if (!error.empty()) {
        return std::nullopt;
    }
    AnalysisSignalBuilder builder(info.channels, info.samplerate,
                                  headerTellsLength(info) ? static_cast<std::size_t>(info.frames)
                                                          : 0);
    // Read in chunks: some formats do not know their length before the end.
    const double limit = (kMaxSongSeconds + 1.0) * info.samplerate;
    std::vector<float> chunk(static_cast<std::size_t>(kChunkFrames * info.channels));
    while (static_cast<double>(builder.framesAdded()) <= limit) {
        const sf_count_t read = sf_readf_float(file.get(), chunk.data(), kChunkFrames);
        if (read <= 0) {
            break;
        }
        builder.add(chunk.data(), static_cast<std::size_t>(read));
        if (decoded && headerTellsLength(info)) {
            decoded(std::min(1.0, static_cast<double>(builder.framesAdded()) /
                                      static_cast<double>(info.frames)));
        }
    }
    const double seconds = static_cast<double>(builder.framesAdded()) / info.samplerate;
    return DecodedSong{std::move(builder).finish(), seconds};
}

} // namespace chart
