#pragma once

#include "game/timing_stats.h"

#include <optional>
#include <string>

// How the player's timing went over the song, as the log and the end screen
// tell it. Misses are the judged cues that were not hit.

// "TIMING: mean <+/-ms.d> ms, spread <ms.d> ms, hits <n>, misses <n>, best
// streak <n>", the mean signed and both with one decimal.
std::string timingLogLine(const game::TimingStats& stats, int misses);

// The end screen's two lines of counts and timing, broken by the two
// characters '\' 'n' that the overlay understands.
std::string timingSummaryText(const game::TimingStats& stats, int misses);

// The setting to try, in two lines: "Your clicks were 38 ms late on average:"
// and "press A to set offset_ms=38 in your settings". Nothing when the clicks
// need no other setting than currentOffsetMs (see game::suggestedOffsetMs).
std::optional<std::string> offsetAdviceText(const game::TimingStats& stats, int currentOffsetMs);

// Once A has written the suggestion: what was saved and how to take it back.
std::string offsetAppliedText(int savedOffsetMs, double offsetBeforeMs);

// A could not write the setting.
std::string offsetNotSavedText(const std::string& reason);
