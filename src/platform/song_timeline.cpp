#include "platform/song_timeline.h"

namespace platform::sound {

void SongTimeline::begin(double outputMs, double songMs, double speed, int loop) {
    pieces.push_back({outputMs, songMs, speed, loop});
}

double SongTimeline::songMsAt(double outputMs) {
    if (pieces.empty()) {
        return 0.0;
    }
    while (pieces.size() > 1 && pieces[1].outputMs <= outputMs) {
        pieces.pop_front();
    }
    const Piece piece = pieceAt(outputMs);
    const double into = outputMs > piece.outputMs ? outputMs - piece.outputMs : 0.0;
    return piece.songMs + into * piece.speed;
}

SongTimeline::Piece SongTimeline::pieceAt(double outputMs) const {
    if (pieces.empty()) {
        return {0.0, 0.0, 1.0, 0};
    }
    Piece found = pieces.front();
    for (const Piece& piece : pieces) {
        if (piece.outputMs > outputMs) {
            break;
        }
        found = piece;
    }
    return found;
}

} // namespace platform::sound
