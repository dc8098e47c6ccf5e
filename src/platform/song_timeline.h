#pragma once

#include <deque>

namespace platform::sound {

// Which moment of the song a stretched, looping stream plays at each moment
// of its output: a run of pieces, each the song from some moment on at one
// speed, begun where the stream began it (a loop starting again, the speed
// changed). Output and song times are in ms; only an arithmetic record,
// so whoever makes the output (the stream, or the wall clock when there is
// no sound) keeps it.
class SongTimeline {
public:
    struct Piece {
        double outputMs; // where the piece begins in the output
        double songMs;   // the song's moment there
        double speed;    // song ms per output ms
        int loop;        // how many times the loop had started again before it
    };

    // A piece from outputMs on; pieces come in output order.
    void begin(double outputMs, double songMs, double speed, int loop);
    // The song's moment at this output time (the first piece's start before
    // it, nothing but 0 without a piece). Pieces wholly before outputMs are
    // forgotten: the output never goes back.
    double songMsAt(double outputMs);
    // The piece playing at outputMs; a zero piece without any.
    Piece pieceAt(double outputMs) const;
    bool empty() const { return pieces.empty(); }
    const Piece& last() const { return pieces.back(); }

private:
    std::deque<Piece> pieces;
};

} // namespace platform::sound
