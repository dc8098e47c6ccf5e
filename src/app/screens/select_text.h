#pragma once

#include "library/song_list.h"
#include "store/score_store.h"

#include <string>

// The select screen's lines, in the overlay font's characters and at fixed
// widths, so the columns of a monospace font line up: a song's name, its
// length, its tempo (or how far its charting is), and per density the best
// accuracy and the number of plays.

namespace selecttext {

// The column titles above the rows.
std::string headerLine();
// One song's row; a song that cannot be played shows its reason instead of
// the columns.
std::string rowLine(const library::SongRow& row);
// What the line under the rows says of the chosen song at the density.
std::string detailLine(const library::SongRow& row, library::Density density);
// "charted 37 of 120", while the walk goes on "scanning, charted 37 of 120".
std::string chartedLine(int charted, int songs, bool scanning);
// One of the song's last plays: date, density, accuracy, mean and spread.
std::string historyLine(const store::PlaySummary& play);
// "m:ss" (or "h:mm:ss"); empty for an unknown length.
std::string lengthText(long long lengthMs);
// The text cut to `width` characters ("..." at the end when cut) and padded
// with blanks to exactly that many.
std::string fitted(const std::string& text, std::size_t width);

// ASCII letters in capitals, the rest as it is: the densities' headings.
std::string upper(const char* text);

} // namespace selecttext
