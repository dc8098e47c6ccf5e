// Whether the game's clock and the music agree after a pause: a tone is
// streamed through the sound layer on the real OpenAL path and paused and
// resumed 20 times, as the P key does. Within each stretch of playing the
// device's own stepped report fixes the true playback line (its earliest
// step against its value, as bench_audio_clock explains); the game's reading
// at every frame is compared with it. Prints, per resume, how far the game's
// position stood from the music over the first second and over the rest of
// the stretch, then the largest of each.
//
// Usage: bench_pause_clock [pauses=20]
// (set ALSOFT_DRIVERS=null on a machine without a sound card)

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

constexpr double kFrameMs = 1000.0 / 60.0;
constexpr double kPlayMs = 3000.0;
constexpr double kSettledMs = 1000.0;

struct Reading {
    double atMs;     // wall time
    double gameMs;   // the game's position (getPositionMs)
    double reportMs; // the device's raw report
};

void sleepMs(double ms) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms));
}

// One stretch of playing from a resume: the game reads at every frame, the
// device's report is polled in between.
std::vector<Reading> playFor(sound::System& system, sound::Channel& channel, double ms) {
    std::vector<Reading> readings;
    const double start = sound::steadyNowMs();
    double nextFrame = start;
    for (double now = start; now < start + ms; now = sound::steadyNowMs()) {
        Reading r{now, 0.0, 0.0};
        channel.getDevicePositionMs(&r.reportMs);
        if (now >= nextFrame) {
            system.update();
            channel.getPositionMs(&r.gameMs);
            r.atMs = sound::steadyNowMs();
            nextFrame += kFrameMs;
        } else {
            r.gameMs = -1.0;
        }
        readings.push_back(r);
        sleepMs(0.1);
    }
    return readings;
}

struct Errors {
    double earlyMax = 0.0; // the first second after the resume
    double laterMax = 0.0;
    double laterMean = 0.0;
};

Errors measure(const std::vector<Reading>& readings) {
    // The true line: the report seen earliest against its value.
    double songStart = 1.0e300;
    double lastReport = -1.0;
    for (const Reading& r : readings) {
        if (r.reportMs != lastReport) {
            songStart = std::min(songStart, r.atMs - r.reportMs);
            lastReport = r.reportMs;
        }
    }
    Errors e;
    int later = 0;
    const double resumed = readings.front().atMs;
    for (const Reading& r : readings) {
        if (r.gameMs < 0.0) {
            continue;
        }
        const double error = r.gameMs - (r.atMs - songStart);
        if (r.atMs - resumed < kSettledMs) {
            e.earlyMax = std::max(e.earlyMax, std::abs(error));
        } else {
            e.laterMax = std::max(e.laterMax, std::abs(error));
            e.laterMean += error;
            ++later;
        }
    }
    e.laterMean /= std::max(later, 1);
    return e;
}

} // namespace

int main(int argc, char** argv) {
    const int pauses = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 20;
    sound::System system;
    system.init(4, sound::initStreamFromUpdate);
    if (system.isSilent()) {
        std::printf("no audio device: nothing to measure\n");
        return 1;
    }
    sound::Sound* music = nullptr;
    const double seconds = (pauses + 2) * (kPlayMs + 1000.0) / 1000.0 + 5.0;
    system.createStream(benchsound::writeTone("pause_clock_tone.wav", seconds).c_str(),
                        sound::modeCreateStream, &music);
    sound::Channel* channel = nullptr;
    system.playSound(sound::channelFree, music, false, &channel);
    std::mt19937 random(20);
    std::uniform_real_distribution<double> pauseMs(200.0, 1200.0);
    playFor(system, *channel, kPlayMs); // warm-up, not measured
    double worstEarly = 0.0;
    double worstLater = 0.0;
    for (int pause = 1; pause <= pauses; ++pause) {
        channel->setPaused(true);
        const double held = pauseMs(random);
        const double frames = std::floor(held / kFrameMs);
        for (int i = 0; i < frames; ++i) {
            sleepMs(kFrameMs);
            system.update();
        }
        channel->setPaused(false);
        const Errors e = measure(playFor(system, *channel, kPlayMs));
        std::printf("pause %2d (%4.0f ms): first second max %5.2f ms, then max %5.2f ms, mean "
                    "%+5.2f ms\n",
                    pause, held, e.earlyMax, e.laterMax, e.laterMean);
        worstEarly = std::max(worstEarly, e.earlyMax);
        worstLater = std::max(worstLater, e.laterMax);
    }
    std::printf("largest after %d resumes: %.2f ms in the first second, %.2f ms after it\n", pauses,
                worstEarly, worstLater);
    music->release();
    system.release();
    return 0;
}
