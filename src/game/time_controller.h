#pragma once

#include "util/singleton.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace util {

// What update() hands the level each frame.
enum TimeEvent : int { noEvent = 0, beatEvent = 1, cueEvent = 2 };

// The rhythm of the level, read from two recordings of music positions in
// milliseconds: "rec.cfg" (beats) and "rec2.cfg" (cues). Each frame it turns the
// music position into at most one event.
class TimeController : public Singleton<TimeController> {
    friend class Singleton<TimeController>;

public:
    // The event clock runs this far ahead of the music, so the visuals of an
    // event land when it is heard rather than a frame or two after.
    static constexpr double lookaheadMs = 150.0;
    // Fires an event this much before it is due, so a frame that arrives just
    // short of it does not postpone the event by a whole frame.
    static constexpr double earlyMarginMs = 16.0;

    // Loads one recording and prints "rec size N". Line 1 is skipped; the
    // count is the lines not starting with '#' minus 2, and that many lines
    // after line 1 are parsed as they stand. A missing file, or one counting
    // fewer than two lines, gives an empty track.
    static std::vector<double> loadRecording(const std::string& path);
    // The same from a stream that can seek back to its start; prints nothing.
    static std::vector<double> readRecording(std::istream& in);

    // positionMs: the music position. Returns a TimeEvent.
    int update(double positionMs);

    // Starts both tracks again at a song position, as a loop back to it
    // needs: the entries not yet due there come next, and the lateness
    // gathered so far is forgotten.
    void restartAt(double positionMs);

    // -1.0 for a negative index and for the last loaded cue and beyond.
    double cueTime(int index) const;

    std::vector<double> beatTimes;    // "rec.cfg": when the cues pulse
    std::vector<double> cueTimes;     // "rec2.cfg": when each cue is to be hit
    std::array<int, 2> nextIndex{};   // first unconsumed entry: [0] beat, [1] cue
    std::array<int, 2> trackCounts{}; // entries loaded: [0] beat, [1] cue
    bool active = false;              // set by the level once it is built
    double drift = 0.0;               // lateness of the fired events, fed back into all thresholds

private:
    TimeController();

    // Fires the next entry of one track if it is due; true when it fired.
    bool consumeIfDue(int track, const std::vector<double>& times, double now);
};

} // namespace util
