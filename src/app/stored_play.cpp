#include "app/stored_play.h"

#include "app/accuracy.h"
#include "app/level_steps.h"
#include "app/loop_state.h"
#include "app/timing_summary.h"

EndOfSong endOfSongOf(const store::PlayRecord& play) {
    EndOfSong end;
    for (const store::CueResult& cue : play.cues) {
        if (cue.outcome == store::CueOutcome::Hit) {
            end.stats.addHit(cue.offsetMs.value_or(0.0));
        } else {
            end.stats.addMiss();
        }
    }
    // The counts are the play's own: cues the song ended before judging
    // count as misses there without a result of their own.
    end.accuracy = accuracyText(play.hits, play.hits + play.misses);
    end.summary = timingSummaryText(end.stats, play.misses);
    if (!play.demo) {
        end.advice = offsetAdviceText(end.stats, play.offsetMs).value_or("");
    }
    return end;
}

void showStoredPlay(LoopState& loop, const store::PlayRecord& play) {
    loop.endOfSong = endOfSongOf(play);
    loop.endScreen = true;
    loop.messageOverlay.setText(loop.endOfSong.accuracy, accuracyLine, accuracySize);
}
