#pragma once

#include "app/end_of_song.h"
#include "store/play_record.h"

struct LoopState;

// The end screen of a stored play, drawn again from its judged cues: the
// same accuracy, summary, histogram and advice its own end screen showed.
// The best line is left empty: that play's best is history.
EndOfSong endOfSongOf(const store::PlayRecord& play);

// Puts a stored play's end screen up in place of whatever the loop shows.
void showStoredPlay(LoopState& loop, const store::PlayRecord& play);
