#pragma once

#include <memory>

class SelectScreen;
struct FrameValues;
struct SelectTexts;

// Draws the song select screen over the flight behind it: the title and the
// density, the filter and how many songs are charted, the rows with the
// chosen one marked, a line on the chosen song, a progress bar while a song
// the player chose is charted, and the keys. Drawn last, over the effects,
// so the text stays sharp. Its GL texts are made on the first draw.
class SelectScreenPass {
public:
    SelectScreenPass();
    ~SelectScreenPass();
    SelectScreenPass(const SelectScreenPass&) = delete;
    SelectScreenPass& operator=(const SelectScreenPass&) = delete;

    void draw(const FrameValues& values, const SelectScreen& screen);
    // Frees the GL texts; call while the context still exists.
    void release();

private:
    std::unique_ptr<SelectTexts> texts;
};
