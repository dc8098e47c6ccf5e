#pragma once

#include <optional>
#include <string>

// Process-wide settings that config.cfg may change. main gives them their
// defaults before initWindow reads the file; only showfps changes afterwards
// (the F2 key).
extern int glMajorVersion;      // OpenGL major version asked of the window
extern int glMinorVersion;      // OpenGL minor version asked of the window
extern bool forwardcontextflag; // ask for a forward-compatible context (3.0 and above)
extern bool showfps;            // frame-rate statistics are computed and shown
extern bool demoMode;           // the game plays itself (attract mode, and our end-to-end proof)
extern double offsetMs;         // the player's audio and input latency, taken off every click
extern double visualOffsetMs;   // how far ahead of its sound the picture is drawn
extern std::string musicPath;   // the song, relative to the run folder
extern int songEndMs;           // the game ends at the first song position past this
// scores=: the file every finished play is saved in; empty saves nothing,
// unset is scores.db in the player's data folder.
extern std::optional<std::string> scoresPath;

// The window size as last parsed from config.cfg; the frame passes read the
// window's current size back into them every frame.
extern int windowWidth;
extern int windowHeight;

// Puts every setting above back to its start-up value.
void setDefaultSettings();
