#pragma once

#include <memory>

struct EndOfSong;
struct EndScreenTexts;
struct FrameValues;

// The end screen below the accuracy and its rating: the best of the song
// and whether the play was saved, and while the timing feedback is on the
// timing summary, a histogram of the offsets and advice on offset_ms. Its GL
// texts are made on the first draw and kept with the other frame objects.
class EndScreenPass {
public:
    EndScreenPass();
    ~EndScreenPass();
    EndScreenPass(const EndScreenPass&) = delete;
    EndScreenPass& operator=(const EndScreenPass&) = delete;

    void draw(const FrameValues& values, const EndOfSong& end, bool timing);
    // Frees the GL texts; call while the context still exists.
    void release();

private:
    std::unique_ptr<EndScreenTexts> texts;
};
