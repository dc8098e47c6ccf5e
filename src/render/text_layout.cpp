#include "render/text_layout.h"

namespace {

constexpr float kAdvance = 0.5f;     // of the glyph size, between characters
constexpr float kLineSpacing = 0.9f; // of the glyph size, between lines

bool isLineBreak(const std::string& text, std::size_t i) {
    return text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
}

} // namespace

int layoutText(const std::string& text, int line, float size, std::vector<float>& positions,
               std::vector<float>& fontData) {
    const float w = size / 10.0f;
    positions.clear();
    fontData.clear();
    int column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLineBreak(text, i)) {
            ++line;
            column = 0;
            ++i;
            continue;
        }
        const float x = static_cast<float>(column + 1) * kAdvance * w - 0.5f;
        const float y = 0.5f - kAdvance * w - static_cast<float>(line) * kLineSpacing * w;
        positions.insert(positions.end(), {x, y, 0.0f});
        fontData.insert(fontData.end(),
                        {static_cast<float>(static_cast<signed char>(text[i])), w, 0.0f});
        ++column;
    }
    return static_cast<int>(positions.size() / 3);
}
