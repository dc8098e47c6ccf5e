#include "render/shown_text.h"

void ShownText::set(const std::string& wanted, int wantedLine, float wantedSize) {
    if (wanted == text && wantedLine == line && wantedSize == size) {
        return;
    }
    overlay.setText(wanted, wantedLine, wantedSize);
    text = wanted;
    line = wantedLine;
    size = wantedSize;
}
