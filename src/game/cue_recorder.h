#pragma once

#include <string>

// Writes recordings in the format the time controller reads: while enabled,
// every fresh press of V appends the music position as one "\n%15f" record.
// A level owns one, created disabled.
class CueRecorder {
public:
    // outputPath: the recording appended to; the beat track unless a test says otherwise.
    explicit CueRecorder(std::string outputPath = "rec.cfg");

    // Called once per frame with the raw music position (no lookahead).
    void record(double positionMs);

    void setEnabled(bool on) { enabled = on; }
    bool isEnabled() const { return enabled; }
    int getRecordedCount() const { return recordedCount; }
    double getLastPositionMs() const { return lastPositionMs; }

private:
    void append();

    std::string outputPath;      // where the records go
    int recordedCount = 0;       // records written, for the log and tests
    int lastKeyState = 0;        // V on the previous frame: a held key records once
    double lastPositionMs = 0.0; // the position the next record will hold
    bool enabled = false;        // nothing in the game turns recording on by itself
};
