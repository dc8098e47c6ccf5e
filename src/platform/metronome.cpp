#include "platform/metronome.h"

#include "platform/sound_file.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform::sound {

Metronome::Metronome(SoundFile& clickFile, double firstClickMs, double beatMs)
    : click(static_cast<std::size_t>(clickFile.frames() * clickFile.channels())),
      channelCount(clickFile.channels()), rate(clickFile.sampleRate()),
      firstFrame(std::llround(firstClickMs * rate / 1000.0)), beatFrames(beatMs * rate / 1000.0) {
    clickFile.rewind();
    click.resize(clickFile.read(click) * static_cast<std::size_t>(channelCount));
}

double Metronome::lengthMs() const {
    return std::numeric_limits<double>::infinity();
}

std::size_t Metronome::read(std::span<std::int16_t> out) {
    const auto channels = static_cast<std::size_t>(channelCount);
    const std::size_t frames = out.size() / channels;
    std::fill(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(frames * channels), 0);
    const auto clickFrames = static_cast<std::int64_t>(click.size() / channels);
    const std::int64_t end = nextFrame + static_cast<std::int64_t>(frames);
    // Every click that sounds in [nextFrame, end), the one still ringing from
    // before too.
    const auto firstBeat = static_cast<std::int64_t>(
        std::max(0.0, std::floor((nextFrame - clickFrames - firstFrame) / beatFrames)));
    for (std::int64_t beat = firstBeat;; ++beat) {
        const std::int64_t start = firstFrame + std::llround(beat * beatFrames);
        if (start >= end) {
            break;
        }
        for (std::int64_t frame = std::max(start, nextFrame);
             frame < std::min(end, start + clickFrames); ++frame) {
            for (std::size_t c = 0; c < channels; ++c) {
                out[static_cast<std::size_t>(frame - nextFrame) * channels + c] =
                    click[static_cast<std::size_t>(frame - start) * channels + c];
            }
        }
    }
    nextFrame = end;
    return frames;
}

} // namespace platform::sound
