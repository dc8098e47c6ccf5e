#pragma once

#include <string>

// Hits over cues in percent, as a 32-bit float (the rating bands compare that
// value). A level without cues counts as nothing hit.
float accuracyPercent(int hitCount, int cueCount);

// The verdict for an accuracy; each band's upper bound belongs to it, so 90
// is "Jedi." and 100 is "Wow, you're a GOD".
const char* ratingFor(float accuracy);

// "ACCURACY: <number>\n<rating>" with the number in six significant digits and
// the line break as the two characters '\' 'n' that the overlay understands.
std::string accuracyText(int hitCount, int cueCount);

// The same verdict as one plain line for the log: the overlay's line breaks
// become blanks.
std::string accuracyLogLine(int hitCount, int cueCount);
