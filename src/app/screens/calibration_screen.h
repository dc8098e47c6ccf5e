#pragma once

#include "app/config.h"
#include "app/screens/screen.h"
#include "game/calibration.h"
#include "game/calibration_sound.h"
#include "render/shown_text.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

class ScreenPainter;

// The two latencies as the calibration starts from them, and the file it
// writes them to.
struct CalibrationSettings {
    PlayerConfig file;           // the player's settings file
    double offsetMs = 0.0;       // offset_ms: moves the judging
    double visualOffsetMs = 0.0; // visual_offset_ms: moves what is drawn and announced
};

// Finds the player's latency in two steps. First they tap along with a click
// every half second (left button or Space): 8 taps to settle in, then 24
// that count; their median offset from the clicks is offset_ms, shown with
// its spread and the taps on a bar. Then a flash shows with each click, and
// Left and Right move it in 5 ms steps until flash and click feel together:
// that is visual_offset_ms. In each step Enter writes the value into the
// player's settings file and Escape leaves the setting as it was; R taps
// again. After the second step the screen named at the start follows.
class CalibrationScreen : public Screen {
public:
    CalibrationScreen(CalibrationSettings settings, ScreenName after, std::ostream& log,
                      std::ostream& err);
    ~CalibrationScreen() override;

    void input(const ScreenInput& input) override;
    void update() override;
    // While the player taps, only a tap or a key changes the picture; the
    // flash step moves all the time.
    bool changed() const override { return step == Step::Flash || unseen; }
    void draw(const ScreenCanvas& canvas) override;
    ScreenName next() const override { return following; }

    // The latencies now: changed only where Enter kept a new one.
    const CalibrationSettings& settings() const { return current; }

private:
    enum class Step {
        Tapping, // taps gathered
        Tapped,  // the offset shown, waiting for Enter or Escape
        Flash,   // the flash moved
    };

    void tapsIn(const ScreenInput& input);
    void keysIn(const ScreenInput& input);
    void keep(const char* key, double value, double& setting);
    void leave(const char* key, double value);
    void announceClock();
    void drawTaps(const ScreenPainter& painter);
    void drawFlash(const ScreenPainter& painter);
    std::string instruction() const;

    CalibrationSettings current;
    ScreenName after;
    ScreenName following = ScreenName::Stay;
    std::ostream& log;
    std::ostream& err;
    game::CalibrationSound sound;
    game::TapCalibration taps;
    game::FlashAlignment flash;
    Step step = Step::Tapping;
    double clockMs = 0.0;
    bool clockAnnounced = false;
    std::string note;   // what the last Enter or Escape did, or why saving failed
    bool unseen = true; // something changed since the last draw

    // The screen's texts, made on the first draw.
    struct Texts {
        ShownText title;
        ShownText lines[4];
        ShownText block;
        ShownText scale[3];
    };
    std::optional<Texts> texts;
};

// The calibration from the game's current latencies, written to the player's
// file: what the command line's --calibrate opens, and what the library's
// key is to open, naming itself as the screen to go back to.
std::unique_ptr<Screen> openCalibration(const PlayerConfig& file, ScreenName after,
                                        std::ostream& log, std::ostream& err);
