// How well the practice's clock follows what the player hears: a song of
// sharp beats every quarter second is looped (a 2 s passage after its run-in)
// and stretched exactly as the game stretches it, 50 loops at 0.5, 0.75 and
// 1.0 and once more with the speed changed in the middle of every loop. Each
// beat found in the stretched sound is mapped back onto the song through the
// stream's timeline (what the game's clock reads) and compared with where the
// song has it. Prints, per run, the mean and largest error of the first and
// last five loops and the drift between them: the clock must not wander off
// the music however long the player practises. The stream is read as fast
// as SoundTouch stretches, not in real time; the device's part of the clock
// is the same as for a whole song (bench_audio_clock).
//
// Usage: bench_practice_clock [loops=50]

#include "platform/sound_file.h"
#include "platform/stretched_loop.h"
#include "sound_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace sound = platform::sound;

using benchsound::kRate;
constexpr double kBeatMs = 250.0;
constexpr double kFirstBeatMs = 125.0;
constexpr double kLoopStartMs = 3000.0; // the run-in of a passage from 5 s
constexpr double kLoopEndMs = 7400.0;   // to 7 s, with the run-out

std::string writeBeats() {
    std::vector<short> samples(static_cast<std::size_t>(10 * kRate) * 2);
    for (std::size_t frame = 0; frame < samples.size() / 2; ++frame) {
        const double t = static_cast<double>(frame) / kRate;
        const double sinceBeat = std::fmod(t * 1000.0 - kFirstBeatMs + 10 * kBeatMs, kBeatMs);
        double value = 0.03 * std::sin(2.0 * M_PI * 110.0 * t);
        if (sinceBeat < 20.0) {
            value += 0.8 * std::exp(-sinceBeat / 4.0) * std::sin(2.0 * M_PI * 2000.0 * t);
        }
        samples[frame * 2] = samples[frame * 2 + 1] = static_cast<short>(value * 32767.0);
    }
    return benchsound::writeStereo("practice_clock_beats.wav", samples);
}

struct LoopErrors {
    double sum = 0.0;
    double largest = 0.0;
    int beats = 0;
};

struct Run {
    const char* name;
    double speed;
    double changedSpeed; // set halfway through each loop, back at the next; 0 for none
};

// Stretches `loops` loops and gives each loop's beat errors, ms of song.
std::vector<LoopErrors> play(const std::string& path, const Run& run, int loops) {
    std::unique_ptr<sound::SoundFile> song;
    sound::SoundFile::open(path, &song);
    sound::StretchedLoop loop(std::move(song), kLoopStartMs, kLoopEndMs, run.speed);
    std::vector<LoopErrors> errors(static_cast<std::size_t>(loops));
    std::vector<std::int16_t> chunk(8192 * 2);
    std::int64_t frame = 0;
    std::int64_t lastLoud = -kRate;
    int changedIn = -1;
    while (loop.timeline().last().loop < loops) {
        const std::size_t got = loop.read(chunk);
        for (std::size_t i = 0; i < got; ++i, ++frame) {
            if (std::abs(chunk[i * 2]) <= 8000) {
                continue;
            }
            if (frame - lastLoud > kRate / 10) {
                const double heardMs = 1000.0 * static_cast<double>(frame) / kRate;
                const double songMs = loop.timeline().songMsAt(heardMs);
                const int index = loop.timeline().pieceAt(heardMs).loop;
                const double nearest =
                    kFirstBeatMs + std::round((songMs - kFirstBeatMs) / kBeatMs) * kBeatMs;
                if (index < loops) {
                    LoopErrors& e = errors[static_cast<std::size_t>(index)];
                    e.sum += songMs - nearest;
                    e.largest = std::max(e.largest, std::abs(songMs - nearest));
                    ++e.beats;
                }
            }
            lastLoud = frame;
        }
        const sound::SongTimeline::Piece last = loop.timeline().last();
        if (run.changedSpeed > 0.0 && last.loop != changedIn && last.songMs > 5500.0) {
            loop.setSpeed(run.changedSpeed);
            changedIn = last.loop;
        } else if (run.changedSpeed > 0.0 && last.loop == changedIn && last.songMs < 5000.0) {
            loop.setSpeed(run.speed);
        }
    }
    return errors;
}

void report(const Run& run, const std::vector<LoopErrors>& errors) {
    const std::size_t n = errors.size();
    const std::size_t span = std::min<std::size_t>(5, n);
    auto summary = [&](std::size_t from) {
        LoopErrors all;
        for (std::size_t i = from; i < from + span; ++i) {
            all.sum += errors[i].sum;
            all.beats += errors[i].beats;
            all.largest = std::max(all.largest, errors[i].largest);
        }
        return all;
    };
    const LoopErrors first = summary(0);
    const LoopErrors last = summary(n - span);
    const double firstMean = first.sum / std::max(first.beats, 1);
    const double lastMean = last.sum / std::max(last.beats, 1);
    std::printf("%-22s loops 1-%zu: mean %+6.2f ms, largest %5.2f ms   loops %zu-%zu: mean %+6.2f "
                "ms, largest %5.2f ms   drift %+5.2f ms\n",
                run.name, span, firstMean, first.largest, n - span + 1, n, lastMean, last.largest,
                lastMean - firstMean);
}

} // namespace

int main(int argc, char** argv) {
    const int loops = argc > 1 ? std::max(std::atoi(argv[1]), 5) : 50;
    const std::string path = writeBeats();
    const Run runs[] = {{"speed 0.5", 0.5, 0.0},
                        {"speed 0.75", 0.75, 0.0},
                        {"speed 1.0", 1.0, 0.0},
                        {"0.6, 0.9 mid-loop", 0.6, 0.9}};
    std::printf("%d loops of song %.0f-%.0f ms, beats every %.0f ms\n", loops, kLoopStartMs,
                kLoopEndMs, kBeatMs);
    for (const Run& run : runs) {
        report(run, play(path, run, loops));
    }
    std::filesystem::remove(path);
    return 0;
}
