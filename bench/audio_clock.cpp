// How closely the music position the game reads each frame follows the
// position actually being played, on the real OpenAL path.
//
// A tone is streamed through the sound layer. Between frames the harness polls
// the device's own stepped report as fast as it can: each step is exact at the
// moment it appears, and the device plays at a steady rate, so the earliest
// step (relative to its value) fixes the true playback line. At every frame
// the game's reading is compared with that line.
//
// Usage: bench_audio_clock [seconds=20] [frame ms=16.667]
// (set ALSOFT_DRIVERS=null on a machine without a sound card; AUDIO_CLOCK_DUMP=1
// prints every frame's error)

#include "platform/sound_system.h"
#include "sound_files.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

namespace {

namespace sound = platform::sound;

struct Step {
    double atMs;     // wall time the new report was first seen
    double reportMs; // the report from then on
};

struct Frame {
    double atMs;         // wall time of the game's reading
    double smoothMs;     // getPositionMs
    unsigned int gameMs; // getPosition, what the level uses
    double reportMs;     // the device's raw report at that moment
};

struct Errors {
    double rms = 0.0;
    double max = 0.0;
    double mean = 0.0;
};

template <typename Value>
Errors measure(const std::vector<Frame>& frames, double songStartMs, Value value) {
    Errors e;
    for (const Frame& f : frames) {
        const double error = value(f) - (f.atMs - songStartMs);
        e.rms += error * error;
        e.mean += error;
        e.max = std::max(e.max, std::abs(error));
    }
    e.rms = std::sqrt(e.rms / frames.size());
    e.mean /= frames.size();
    return e;
}

void print(const char* what, const Errors& e) {
    std::printf("%-34s rms %6.3f ms   max %6.3f ms   mean %+7.3f ms\n", what, e.rms, e.max, e.mean);
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
    const double frameMs = argc > 2 ? std::atof(argv[2]) : 1000.0 / 60.0;
    const double warmUpMs = 1000.0;

    sound::System system;
    system.init(200, sound::initStreamFromUpdate);
    if (system.isSilent()) {
        std::printf("no audio device: nothing to measure\n");
        return 1;
    }
    sound::Sound* music = nullptr;
    system.createStream(benchsound::writeTone("audio_clock_tone.wav", seconds + 2.0).c_str(),
                        sound::modeCreateStream, &music);
    sound::Channel* channel = nullptr;
    system.playSound(sound::channelFree, music, true, &channel);

    // Frame times wander by up to 2 ms, as a real game's do.
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(-2.0, 2.0);
    std::vector<Step> steps;
    std::vector<Frame> frames;
    channel->setPaused(false);
    const double startMs = sound::steadyNowMs();
    double nextFrameMs = startMs;
    double lastReport = -1.0e9;
    for (double nowMs = startMs; nowMs < startMs + seconds * 1000.0; nowMs = sound::steadyNowMs()) {
        double report = 0.0;
        channel->getDevicePositionMs(&report);
        if (report != lastReport) {
            steps.push_back({nowMs, report});
            lastReport = report;
        }
        // Polling must leave the device's mixing thread its share of the CPU.
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        if (nowMs >= nextFrameMs) {
            system.update();
            Frame f{sound::steadyNowMs(), 0.0, 0, 0.0};
            channel->getPositionMs(&f.smoothMs);
            channel->getPosition(&f.gameMs);
            channel->getDevicePositionMs(&f.reportMs);
            if (f.atMs - startMs > warmUpMs) {
                frames.push_back(f);
            }
            nextFrameMs += frameMs + jitter(random);
        }
    }

    // The true line: the device never plays ahead of its own clock, so the
    // step seen earliest against its value marks where position 0 was.
    double songStartMs = 1.0e300;
    for (const Step& s : steps) {
        if (s.atMs - startMs > warmUpMs) {
            songStartMs = std::min(songStartMs, s.atMs - s.reportMs);
        }
    }
    std::vector<double> periods;
    for (std::size_t i = 1; i < steps.size(); ++i) {
        periods.push_back(steps[i].reportMs - steps[i - 1].reportMs);
    }
    std::sort(periods.begin(), periods.end());
    if (std::getenv("AUDIO_CLOCK_DUMP") != nullptr) {
        for (const Frame& f : frames) {
            std::printf("frame %9.3f true %9.3f smooth %+8.3f report %+8.3f\n", f.atMs - startMs,
                        f.atMs - songStartMs, f.smoothMs - (f.atMs - songStartMs),
                        f.reportMs - (f.atMs - songStartMs));
        }
    }

    std::printf("%zu frames of %.3f ms over %.0f s, %zu device steps of %.3f ms (median)\n",
                frames.size(), frameMs, seconds, steps.size(), periods[periods.size() / 2]);
    print("device report as it stands",
          measure(frames, songStartMs, [](const Frame& f) { return f.reportMs; }));
    print("smoothed position (double)",
          measure(frames, songStartMs, [](const Frame& f) { return f.smoothMs; }));
    print("game position (whole ms)", measure(frames, songStartMs, [](const Frame& f) {
              return static_cast<double>(f.gameMs);
          }));
    music->release();
    system.release();
    return 0;
}
