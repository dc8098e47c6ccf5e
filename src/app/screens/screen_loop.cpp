#include "app/screens/screen_loop.h"

#include "platform/glfw_compat.h"
#include "platform/sound_clock.h"

#include <array>

namespace {

// Screens draw at up to 60 frames a second.
constexpr double kFrameMs = 1000.0 / 60.0;
constexpr double kPollSeconds = 0.001;

int keyPresses(int key) {
    return platform::takeKeyPresses(key);
}

} // namespace

ScreenName runScreen(Screen& screen) {
    using platform::sound::steadyNowMs;
    std::array<double, platform::kTapCapacity> taps{};
    double nextFrameMs = steadyNowMs();
    ScreenCanvas drawn;
    while (platform::glfwGetWindowParam(platform::GLFW_OPENED) != 0) {
        while (steadyNowMs() < nextFrameMs) {
            platform::pollEvents();
            platform::glfwSleep(kPollSeconds);
        }
        platform::pollEvents();
        const std::size_t tapped = platform::takeTaps(taps);
        screen.input({{taps.data(), tapped}, keyPresses});
        screen.update();
        if (screen.next() != ScreenName::Stay) {
            return screen.next();
        }
        ScreenCanvas canvas;
        platform::glfwGetWindowSize(&canvas.width, &canvas.height);
        if (screen.changed() || canvas.width != drawn.width || canvas.height != drawn.height) {
            screen.draw(canvas);
            platform::glfwSwapBuffers();
            drawn = canvas;
        }
        const double now = steadyNowMs();
        nextFrameMs = nextFrameMs + kFrameMs > now ? nextFrameMs + kFrameMs : now;
    }
    return ScreenName::Quit;
}
