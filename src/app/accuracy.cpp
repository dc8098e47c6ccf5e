#include "app/accuracy.h"

#include <array>
#include <sstream>

namespace {

struct RatingBand {
    float above; // the band holds accuracies greater than this
    const char* text;
};

constexpr std::array<RatingBand, 10> ratingBands{{
    {100.0f, "CHEATER!"},
    {90.0f, "Wow, you're a GOD"},
    {80.0f, "Jedi."},
    {70.0f, "Fighter Pilot"},
    {60.0f, "Gamer"},
    {50.0f, "Just for fun?"},
    {40.0f, "Drinker"},
    {30.0f, "1 in 3?! COMON!"},
    {20.0f, "BTW, you can Click on\\nthose balls"},
    {10.0f, "Mom?"},
}};

} // namespace

float accuracyPercent(int hitCount, int cueCount) {
    if (cueCount == 0) {
        return 0.0f;
    }
    return static_cast<float>(static_cast<double>(hitCount) / cueCount * 100.0);
}

const char* ratingFor(float accuracy) {
    for (const RatingBand& band : ratingBands) {
        if (accuracy > band.above) {
            return band.text;
        }
    }
    return "Just let my cat play";
}

std::string accuracyText(int hitCount, int cueCount) {
    float accuracy = accuracyPercent(hitCount, cueCount);
    std::ostringstream text;
    text << "ACCURACY: " << accuracy << "\\n" << ratingFor(accuracy);
    return text.str();
}

std::string accuracyLogLine(int hitCount, int cueCount) {
    const std::string text = accuracyText(hitCount, cueCount);
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool lineBreak = text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
        line += lineBreak ? ' ' : text[i];
        i += lineBreak ? 1 : 0;
    }
    return line;
}
