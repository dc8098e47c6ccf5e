#include "platform/music_stream.h"

#include <AL/al.h>

#include <utility>

namespace platform::sound {

MusicStream::MusicStream(std::unique_ptr<FrameSource> source)
    : file(std::move(source)), scratch(framesPerBuffer * this->file->channels()) {
    alGenBuffers(bufferCount, buffers.data());
}

MusicStream::~MusicStream() {
    alDeleteBuffers(bufferCount, buffers.data());
}

void MusicStream::start(unsigned int source, std::int64_t fromFrame) {
    detach(source);
    file->seek(fromFrame);
    playedFrames = fromFrame;
    for (std::size_t slot = 0; slot < buffers.size(); ++slot) {
        if (!queueNext(source, slot)) {
            break;
        }
    }
}

bool MusicStream::feed(unsigned int source) {
    ALint processed = 0;
    alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0; --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source, 1, &buffer);
        --queued;
        const std::size_t slot = slotOf(buffer);
        playedFrames += static_cast<std::int64_t>(framesIn[slot]);
        queueNext(source, slot);
    }
    return queued > 0;
}

void MusicStream::detach(unsigned int source) {
    alSourceStop(source);
    // A stopped source has played everything, so this takes all buffers back.
    alSourcei(source, AL_BUFFER, 0);
    queued = 0;
}

double MusicStream::playedMs() const {
    return 1000.0 * static_cast<double>(playedFrames) / file->sampleRate();
}

bool MusicStream::queueNext(unsigned int source, std::size_t slot) {
    const std::size_t frames = file->read(scratch);
    if (frames == 0) {
        return false;
    }
    const ALenum format = file->channels() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    const auto bytes = static_cast<ALsizei>(frames * file->channels() * sizeof(std::int16_t));
    alBufferData(buffers[slot], format, scratch.data(), bytes, file->sampleRate());
    alSourceQueueBuffers(source, 1, &buffers[slot]);
    framesIn[slot] = frames;
    ++queued;
    return true;
}

std::size_t MusicStream::slotOf(unsigned int buffer) const {
    std::size_t slot = 0;
    while (slot + 1 < buffers.size() && buffers[slot] != buffer) {
        ++slot;
    }
    return slot;
}

} // namespace platform::sound
