// Feeds arbitrary text to the configuration reader as if it were config.cfg
// and checks what the window and the cameras take for granted afterwards.

#include "app/config.h"
#include "app/settings.h"
#include "app/window.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setDefaultSettings();
    Window window;
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    loadConfig(text, window);

    fuzzsupport::require(window.width >= minimumWindowSide && window.height >= minimumWindowSide,
                         "window side below the minimum");
    const glm::mat4 projection = window.getProjMat();
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            fuzzsupport::require(std::isfinite(projection[column][row]), "projection not finite");
        }
    }
    return 0;
}
