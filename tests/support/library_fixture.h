#pragma once

// Header only: a folder of short songs and a stand-in for the charting tool,
// for the song library's tests without the tool's analysis.

#include "library/chart_version.h"
#include "library/song_library.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sndfile.h>
#include <string>
#include <thread>

namespace testsupport {

// Makes a chart folder as the real tool does (the mark and the cue file),
// and notes every song it charts in runs.txt beside itself. The mark carries
// the game's current chart version, filled in when the tool is written.
constexpr const char* kFakeChartTool = R"sh(#!/bin/sh
song="$1"; density="$3"; out="$5"
echo "$song $density" >> "$(dirname "$0")/runs.txt"
mkdir -p "$out"
printf 'chart_version=@CHART_VERSION@\ndensity=%s\ntempo_bpm=128.0\npreview_ms=2500\n' "$density" > "$out/chart.cfg"
echo "cues" > "$out/rec2.cfg"
echo "CHART: 128.0 BPM, 20 beats, 10 cues, 11.0 s"
)sh";

// A mono 8 kHz WAV of a tone `seconds` long, with a title and an artist
// when given.
inline void writeSong(const std::filesystem::path& path, double seconds, const char* title,
                      const char* artist) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << path;
    if (title != nullptr) {
        sf_set_string(file, SF_STR_TITLE, title);
        sf_set_string(file, SF_STR_ARTIST, artist);
    }
    std::vector<float> samples(static_cast<std::size_t>(seconds * 8000));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.3f * std::sin(0.05f * static_cast<float>(i));
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

// The fake tool, executable, in the scratch folder's tool/.
inline std::filesystem::path writeFakeChartTool(const ScratchDir& scratch) {
    std::string text = kFakeChartTool;
    const std::string slot = "@CHART_VERSION@";
    text.replace(text.find(slot), slot.size(), std::to_string(library::kChartVersion));
    const std::filesystem::path tool = scratch.write("tool/fake-chart", text);
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    return tool;
}

// Frames until the walk is done and every playable song is charted at the
// chosen density (the clock moving 10 ms a frame).
inline void settle(library::SongLibrary& songs) {
    double now = 0.0;
    for (int frame = 0; frame < 5000; ++frame, now += 0.01) {
        songs.update(now);
        const auto& rows = songs.list().rows();
        const bool charting = std::any_of(rows.begin(), rows.end(), [&](const auto& row) {
            return row.problem.empty() &&
                   row.chart(songs.list().density) != library::ChartState::Charted;
        });
        if (!songs.scanning() && !charting) {
            songs.update(now + 2.0); // past the skipped list's pause
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    FAIL() << "the library did not settle";
}

} // namespace testsupport
