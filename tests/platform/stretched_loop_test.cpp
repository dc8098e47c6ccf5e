#include "platform/song_timeline.h"
#include "platform/sound_file.h"
#include "platform/stretched_loop.h"

#include "support/scratch_dir.h"
#include "support/wav_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

namespace sound = platform::sound;

TEST(SongTimeline, MapsEachPieceFromItsStartAndJumpsBackWhereALoopBegins) {
    sound::SongTimeline timeline;
    EXPECT_EQ(timeline.songMsAt(500.0), 0.0);
    timeline.begin(0.0, 1000.0, 0.5, 0);
    timeline.begin(4000.0, 3000.0, 0.75, 0); // the speed changed at song 3000
    timeline.begin(6000.0, 1000.0, 0.75, 1); // the loop ended at song 4500
    EXPECT_DOUBLE_EQ(timeline.songMsAt(2000.0), 2000.0);
    EXPECT_DOUBLE_EQ(timeline.songMsAt(3999.0), 2999.5);
    EXPECT_DOUBLE_EQ(timeline.songMsAt(4000.0), 3000.0);
    EXPECT_DOUBLE_EQ(timeline.songMsAt(5999.0), 4499.25);
    EXPECT_DOUBLE_EQ(timeline.songMsAt(6000.0), 1000.0);
    EXPECT_EQ(timeline.pieceAt(6100.0).loop, 1);
    EXPECT_EQ(timeline.pieceAt(6100.0).speed, 0.75);
}

constexpr int kRate = 44100;
constexpr double kBeatMs = 250.0;
constexpr double kFirstBeatMs = 125.0;

// Eight seconds of a quiet hum with a sharp beat every quarter second.
std::string writeBeats(const testsupport::ScratchDir& dir) {
    std::vector<float> samples(static_cast<std::size_t>(8 * kRate) * 2);
    for (std::size_t frame = 0; frame < samples.size() / 2; ++frame) {
        const double t = static_cast<double>(frame) / kRate;
        const double sinceBeat = std::fmod(t * 1000.0 - kFirstBeatMs + 10 * kBeatMs, kBeatMs);
        double value = 0.03 * std::sin(2.0 * M_PI * 110.0 * t);
        if (sinceBeat < 20.0) {
            value += 0.8 * std::exp(-sinceBeat / 4.0) * std::sin(2.0 * M_PI * 2000.0 * t);
        }
        samples[frame * 2] = samples[frame * 2 + 1] = static_cast<float>(value);
    }
    const std::string path = (dir.path() / "beats.wav").string();
    EXPECT_TRUE(testsupport::writeWav(path, samples, kRate, 2));
    return path;
}

// Where the stretched output's beats start: the first loud sample after a
// quiet stretch.
std::vector<double> beatsHeard(const std::vector<std::int16_t>& output) {
    std::vector<double> found;
    std::int64_t lastLoud = -kRate;
    for (std::size_t frame = 0; frame < output.size() / 2; ++frame) {
        if (std::abs(output[frame * 2]) > 8000) {
            const auto at = static_cast<std::int64_t>(frame);
            if (at - lastLoud > kRate / 10) {
                found.push_back(1000.0 * static_cast<double>(at) / kRate);
            }
            lastLoud = at;
        }
    }
    return found;
}

// Every beat played, mapped back through the timeline, lands on a beat of
// the song: over several loops and with the speed changed mid-loop, so
// neither a loop's edge nor a change of speed may shift the clock.
TEST(StretchedLoop, ItsTimelinePutsEveryBeatHeardWhereTheSongHasIt) {
    testsupport::ScratchDir dir;
    std::unique_ptr<sound::SoundFile> song;
    ASSERT_EQ(sound::SoundFile::open(writeBeats(dir), &song), 0);
    sound::StretchedLoop loop(std::move(song), 1000.0, 3000.0, 0.75);
    std::vector<std::int16_t> output;
    std::vector<std::int16_t> chunk(8192 * 2);
    std::vector<sound::SongTimeline::Piece> pieces;
    int chunksOfSecondLoop = 0;
    while (loop.timeline().last().loop < 5) {
        ASSERT_EQ(loop.read(chunk), 8192u);
        output.insert(output.end(), chunk.begin(), chunk.end());
        // Some way into the second loop the player slows down.
        if (loop.timeline().last().loop == 1 && ++chunksOfSecondLoop == 6) {
            loop.setSpeed(0.5);
        }
        if (pieces.empty() || loop.timeline().last().outputMs != pieces.back().outputMs) {
            pieces.push_back(loop.timeline().last());
        }
    }
    // Loops begin where the run-in does, each piece exactly as long as its
    // song divided by its speed: 2000 ms of song at 0.75, then at 0.5.
    ASSERT_GE(pieces.size(), 6u);
    EXPECT_TRUE(std::any_of(pieces.begin(), pieces.end(), [](const auto& piece) {
        return piece.songMs > 1100.0;
    })) << "no piece began mid-loop at the change of speed";
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto& piece = pieces[i];
        if (i > 0 && piece.loop != pieces[i - 1].loop) {
            EXPECT_NEAR(piece.songMs - sound::StretchedLoop::beatLeadMs(piece.speed), 1000.0, 0.01);
            EXPECT_EQ(piece.loop, pieces[i - 1].loop + 1);
        }
    }
    EXPECT_NEAR(pieces[1].outputMs - pieces[0].outputMs, 2000.0 / 0.75, 0.05);

    double errorSum = 0.0;
    int errors = 0;
    for (double heardMs : beatsHeard(output)) {
        const sound::SongTimeline::Piece piece = loop.timeline().pieceAt(heardMs);
        if (piece.outputMs > heardMs) {
            continue; // before the pieces still kept
        }
        const double songMs = piece.songMs + (heardMs - piece.outputMs) * piece.speed;
        const double nearest =
            kFirstBeatMs + std::round((songMs - kFirstBeatMs) / kBeatMs) * kBeatMs;
        EXPECT_NEAR(songMs, nearest, 15.0) << "beat heard at " << heardMs << " ms of output";
        errorSum += songMs - nearest;
        ++errors;
    }
    ASSERT_GE(errors, 40);
    EXPECT_NEAR(errorSum / errors, 0.0, 4.0);
}

} // namespace
