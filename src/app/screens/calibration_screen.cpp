#include "app/screens/calibration_screen.h"

#include "app/screens/screen_painter.h"
#include "app/settings.h"
#include "app/settings_file.h"
#include "game/cue_judging.h"
#include "platform/glfw_compat.h"
#include "platform/sound_clock.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

namespace {

// The first click comes after two seconds: the window is up and the player
// has read what to do.
constexpr double kFirstClickMs = 2000.0;
// The clock is told once it has run this long and its reading has settled.
constexpr double kClockToldAfterMs = 600.0;

constexpr glm::vec4 kWhite{1.0f};
constexpr glm::vec4 kDim{0.6f, 0.6f, 0.6f, 1.0f};
constexpr glm::vec4 kTick{0.55f, 1.0f, 0.45f, 1.0f};
constexpr glm::vec4 kMedian{1.0f, 0.58f, 0.2f, 1.0f};
constexpr glm::vec4 kShade{0.0f, 0.0f, 0.0f, 0.45f};
constexpr glm::vec4 kFlash{1.0f, 0.95f, 0.7f, 1.0f};

// The taps' bar: ±250 ms along its length.
constexpr glm::vec2 kBarCentre{0.0f, -0.2f};
constexpr float kBarHalfLength = 0.35f;
constexpr float kBarHeight = 0.06f;
constexpr glm::vec2 kTickExtent{0.004f, 0.045f};

std::string millis(double ms) {
    return settingNumber(ms) + " ms";
}

std::string signedMillis(double ms) {
    const std::string number = settingNumber(ms);
    return (ms > 0.0 && number != "0" ? "+" : "") + number + " ms";
}

// The wall-clock time of a clock reading, seconds since the epoch with ms,
// for a tester outside the game to schedule taps by.
std::string epochOf(double clockMs, double readingMs) {
    using namespace std::chrono;
    const double nowS = duration<double>(system_clock::now().time_since_epoch()).count();
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.3f", nowS - (readingMs - clockMs) / 1000.0);
    return text.data();
}

} // namespace

CalibrationScreen::CalibrationScreen(CalibrationSettings settings, ScreenName afterwards,
                                     std::ostream& logStream, std::ostream& errStream)
    : current(std::move(settings)), after(afterwards), log(logStream), err(errStream),
      taps(kFirstClickMs), flash(kFirstClickMs, current.visualOffsetMs) {
    sound.start(kFirstClickMs, game::kCalibrationBeatMs, err);
}

CalibrationScreen::~CalibrationScreen() = default;

void CalibrationScreen::input(const ScreenInput& input) {
    const Step before = step;
    const int tapped = taps.tapCount();
    tapsIn(input);
    keysIn(input);
    unseen = unseen || step != before || taps.tapCount() != tapped || !input.tapsMs.empty();
}

void CalibrationScreen::tapsIn(const ScreenInput& input) {
    if (step != Step::Tapping) {
        return;
    }
    for (double tapMs : input.tapsMs) {
        const double at = sound.clockAt(tapMs);
        // A tap before the first click's reach belongs to no click.
        if (at < kFirstClickMs - 0.5 * game::kCalibrationBeatMs) {
            continue;
        }
        taps.tap(at);
        if (taps.complete()) {
            const game::TapEstimate estimate = *taps.estimate();
            log << "CALIBRATION: offset " << signedMillis(estimate.offsetMs) << ", spread "
                << millis(estimate.spreadMs) << std::endl;
            step = Step::Tapped;
            break;
        }
    }
}

void CalibrationScreen::keysIn(const ScreenInput& input) {
    const bool enter = input.presses(GLFW_KEY_ENTER) + input.presses(GLFW_KEY_KP_ENTER) > 0;
    const bool escape = input.presses(GLFW_KEY_ESCAPE) > 0;
    const int again = input.presses(GLFW_KEY_R);
    const int left = input.presses(GLFW_KEY_LEFT);
    const int right = input.presses(GLFW_KEY_RIGHT);
    if (again > 0 && step != Step::Flash) {
        taps = game::TapCalibration(kFirstClickMs);
        step = Step::Tapping;
        note.clear();
        return;
    }
    if (step == Step::Tapped && (enter || escape)) {
        if (enter) {
            keep("offset_ms", taps.estimate()->offsetMs, current.offsetMs);
        } else {
            leave("offset_ms", current.offsetMs);
        }
        step = Step::Flash;
    } else if (step == Step::Flash) {
        for (int i = 0; i < left; ++i) {
            flash.earlier();
        }
        for (int i = 0; i < right; ++i) {
            flash.later();
        }
        if (enter) {
            keep("visual_offset_ms", flash.visualOffsetMs(), current.visualOffsetMs);
            following = after;
        } else if (escape) {
            leave("visual_offset_ms", current.visualOffsetMs);
            following = after;
        }
    } else if (escape) {
        // Leaving while tapping changes nothing.
        following = after;
    }
}

void CalibrationScreen::keep(const char* key, double value, double& setting) {
    std::optional<std::string> before;
    std::string error;
    const std::string number = settingNumber(value);
    if (!savePlayerSetting(current.file, key, number, before, error)) {
        err << "cueflight: cannot save " << key << " in " << current.file.file.string() << ": "
            << error << std::endl;
        note = std::string("could not save ") + key + ": " + error;
        return;
    }
    setting = value;
    log << "CALIBRATION: " << key << "=" << number << " saved in " << current.file.file.string()
        << std::endl;
    note = std::string(key) + "=" + number + " saved";
}

void CalibrationScreen::leave(const char* key, double value) {
    log << "CALIBRATION: " << key << " stays " << settingNumber(value) << std::endl;
    note = std::string(key) + " stays " + settingNumber(value);
}

void CalibrationScreen::update() {
    clockMs = sound.update();
    announceClock();
}

// Once, the wall-clock moment of the first click: a tester tapping from
// outside (the end-to-end test) schedules its taps from it.
void CalibrationScreen::announceClock() {
    if (clockAnnounced || clockMs < kClockToldAfterMs) {
        return;
    }
    const double nowMs = platform::sound::steadyNowMs();
    log << "CALIBRATION: clicks every " << game::kCalibrationBeatMs << " ms from "
        << epochOf(kFirstClickMs, sound.clockAt(nowMs)) << std::endl;
    clockAnnounced = true;
}

std::string CalibrationScreen::instruction() const {
    switch (step) {
    case Step::Tapping:
        if (taps.settling()) {
            return "Tap along with the clicks: left button or Space.   settling in " +
                   std::to_string(taps.tapCount()) + " of " + std::to_string(game::kSettlingTaps);
        }
        return "Keep tapping.   counted " + std::to_string(taps.tapCount() - game::kSettlingTaps) +
               " of " + std::to_string(game::kCountedTaps);
    case Step::Tapped: {
        const game::TapEstimate estimate = *taps.estimate();
        return "Your taps: " + signedMillis(estimate.offsetMs) + ", spread " +
               millis(estimate.spreadMs);
    }
    case Step::Flash:
        break;
    }
    const double ahead = flash.visualOffsetMs();
    if (ahead == 0.0) {
        return "The flash is drawn with the click.";
    }
    return "The flash is drawn " + millis(std::abs(ahead)) + (ahead > 0.0 ? " before" : " after") +
           " the click.";
}

void CalibrationScreen::draw(const ScreenCanvas& canvas) {
    if (!texts) {
        texts.emplace();
    }
    const ScreenPainter painter(canvas);
    unseen = false;
    painter.clear();
    painter.text(texts->title, "CALIBRATION", 0.6f, {0.0f, 0.38f}, TextAnchor::Centre, kWhite);
    // Small enough that the longest instruction fits a 5:4 window.
    painter.text(texts->lines[0], instruction(), 0.26f, {0.0f, 0.22f}, TextAnchor::Centre, kWhite);
    std::string keys;
    switch (step) {
    case Step::Tapping:
        keys = "R starts again   Escape leaves";
        break;
    case Step::Tapped:
        keys = "Enter keeps offset_ms=" + settingNumber(taps.estimate()->offsetMs) +
               "   Escape keeps " + settingNumber(current.offsetMs) + "   R taps again";
        break;
    case Step::Flash:
        keys = "Left/Right move it   Enter keeps visual_offset_ms=" +
               settingNumber(flash.visualOffsetMs()) + "   Escape keeps " +
               settingNumber(current.visualOffsetMs);
        break;
    }
    painter.text(texts->lines[1], keys, 0.25f, {0.0f, 0.15f}, TextAnchor::Centre, kDim);
    painter.text(texts->lines[2], note, 0.25f, {0.0f, -0.4f}, TextAnchor::Centre, kDim);
    if (step == Step::Flash) {
        drawFlash(painter);
    } else {
        drawTaps(painter);
    }
}

void CalibrationScreen::drawTaps(const ScreenPainter& painter) {
    const float length = 2.0f * kBarHalfLength;
    painter.rect(texts->block, kBarCentre, {length + 0.02f, kBarHeight}, kShade);
    painter.rect(texts->block, kBarCentre, {length, 0.003f}, kDim);
    painter.rect(texts->block, kBarCentre, {0.003f, kBarHeight}, kWhite);
    const auto offsets = taps.countedOffsets();
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const float share = static_cast<float>(offsets[i] / game::kHitToleranceMs);
        // Older taps fade, so the last few stand out.
        const float age = static_cast<float>(offsets.size() - 1 - i) / game::kCountedTaps;
        glm::vec4 colour = kTick;
        colour.a = 1.0f - 0.7f * age;
        painter.rect(texts->block, kBarCentre + glm::vec2(share * kBarHalfLength, 0.0f),
                     kTickExtent, colour);
    }
    if (const std::optional<game::TapEstimate> estimate = taps.estimate()) {
        const float share = static_cast<float>(estimate->offsetMs / game::kHitToleranceMs);
        painter.rect(texts->block, kBarCentre + glm::vec2(share * kBarHalfLength, 0.0f),
                     {0.006f, kBarHeight * 1.4f}, kMedian);
    }
    const float labelY = kBarCentre.y - 0.06f;
    painter.text(texts->scale[0], "-250 early", 0.25f, {kBarCentre.x - kBarHalfLength, labelY},
                 TextAnchor::Left, kDim);
    painter.text(texts->scale[1], "0", 0.25f, {kBarCentre.x, labelY}, TextAnchor::Centre, kDim);
    painter.text(texts->scale[2], "late +250 ms", 0.25f, {kBarCentre.x + kBarHalfLength, labelY},
                 TextAnchor::Right, kDim);
}

void CalibrationScreen::drawFlash(const ScreenPainter& painter) {
    if (flash.flashing(clockMs)) {
        const float height = 0.2f;
        painter.rect(texts->block, {0.0f, -0.1f}, {painter.squareWidth(height), height}, kFlash);
    }
}

std::unique_ptr<Screen> openCalibration(const PlayerConfig& file, ScreenName after,
                                        std::ostream& log, std::ostream& err) {
    return std::make_unique<CalibrationScreen>(CalibrationSettings{file, offsetMs, visualOffsetMs},
                                               after, log, err);
}
