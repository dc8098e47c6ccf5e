#include "app/score_keeping.h"

#include "app/accuracy.h"
#include "app/end_of_song.h"
#include "game/level.h"
#include "library/song_identity.h"
#include "platform/sound_tags.h"
#include "platform/user_folders.h"
#include "store/score_store.h"
#include "store/store_file.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string_view>

namespace fs = std::filesystem;

namespace {

store::CueOutcome outcomeOf(game::Verdict verdict) {
    switch (verdict) {
    case game::Verdict::Hit:
        return store::CueOutcome::Hit;
    case game::Verdict::TooEarly:
        return store::CueOutcome::TooEarly;
    case game::Verdict::Missed:
        break;
    }
    return store::CueOutcome::Missed;
}

// The rating as the log shows it: the overlay's line break as a blank.
std::string plainRating(float accuracy) {
    const std::string_view rating = ratingFor(accuracy);
    std::string plain;
    for (std::size_t i = 0; i < rating.size(); ++i) {
        const bool lineBreak = rating.substr(i, 2) == "\\n";
        plain += lineBreak ? ' ' : rating[i];
        i += lineBreak ? 1 : 0;
    }
    return plain;
}

std::string percent(double value, const char* format) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

} // namespace

std::optional<ScoreKeeping> prepareScoreKeeping(const std::optional<std::string>& scoresSetting,
                                                const std::string& musicPath, bool demo,
                                                int offsetMs, std::ostream& err) {
    ScoreKeeping keeping;
    if (scoresSetting) {
        if (scoresSetting->empty()) {
            return std::nullopt;
        }
        keeping.storeFile = fs::absolute(*scoresSetting);
    } else if (std::optional<fs::path> folder =
                   platform::makeUserFolder(platform::UserFolder::Data, err)) {
        keeping.storeFile = *folder / kScoreStoreName;
    } else {
        return std::nullopt;
    }
    keeping.song = songRecordOf(musicPath, keeping.songProblem);
    keeping.chart = library::readChartMark(fs::current_path());
    // A chart's copy of the song is Sound/song.<ext>: the player knows it by
    // its own name.
    if (keeping.song && !keeping.chart.songFile.empty()) {
        if (keeping.song->title == fs::path(musicPath).stem().string()) {
            keeping.song->title = fs::path(keeping.chart.songFile).stem().string();
        }
        keeping.song->fileName = keeping.chart.songFile;
    }
    keeping.demo = demo;
    keeping.offsetMs = offsetMs;
    return keeping;
}

std::optional<store::SongRecord> songRecordOf(const fs::path& file, std::string& problem) {
    std::optional<std::string> identity = library::songIdentity(file, problem);
    if (!identity) {
        return std::nullopt;
    }
    store::SongRecord song{*identity, "", "", file.filename().string(), 0};
    if (std::optional<platform::sound::SoundTags> tags = platform::sound::readSoundTags(file)) {
        song.title = tags->title;
        song.artist = tags->artist;
        song.lengthMs = tags->lengthMs;
    }
    if (song.title.empty()) {
        song.title = file.stem().string();
    }
    return song;
}

store::PlayRecord playRecordOf(const ScoreKeeping& keeping, const Level& level,
                               const std::string& playedAt) {
    const game::TimingStats& stats = level.getFeedback().stats();
    const int judged = level.judgeableCueCount();
    const float accuracy = accuracyPercent(level.hitCount(), judged);
    store::PlayRecord play;
    play.song = keeping.song.value_or(store::SongRecord{});
    play.density = keeping.chart.density;
    play.chartVersion = keeping.chart.chartVersion;
    play.offsetMs = keeping.offsetMs;
    play.playedAt = playedAt;
    play.accuracy = accuracy;
    play.rating = plainRating(accuracy);
    play.hits = level.hitCount();
    play.misses = judged - level.hitCount();
    play.bestStreak = stats.bestStreak();
    play.meanMs = stats.meanMs();
    play.spreadMs = stats.spreadMs();
    play.demo = keeping.demo;
    for (const game::Judgement& judgement : level.judgements()) {
        std::optional<double> offset;
        if (judgement.verdict != game::Verdict::Missed) {
            offset = judgement.offsetMs;
        }
        play.cues.push_back({Level::cueTime(judgement.cue), outcomeOf(judgement.verdict), offset});
    }
    return play;
}

std::string bestLineOf(double accuracy, const std::optional<double>& previousBest, bool demo) {
    std::string line;
    if (!previousBest) {
        line = "NEW BEST";
    } else if (accuracy > *previousBest) {
        line = "NEW BEST " + percent(accuracy - *previousBest, "%+.1f %%");
    } else {
        line = "best " + percent(*previousBest, "%.1f %%");
    }
    return demo ? line + " (demo)" : line;
}

void keepScore(const ScoreKeeping& keeping, const Level& level, EndOfSong& end, std::ostream& log,
               std::ostream& err) {
    const store::PlayRecord play =
        playRecordOf(keeping, level, store::utcTimestamp(std::chrono::system_clock::now()));
    std::optional<store::SaveReceipt> receipt;
    if (!keeping.song) {
        err << "cueflight: this play is not saved: cannot read the song: " << keeping.songProblem
            << std::endl;
    } else if (std::unique_ptr<store::ScoreStore> scores =
                   store::ScoreStore::open(keeping.storeFile, err)) {
        receipt = scores->save(play, err);
    }
    if (!receipt) {
        log << "SCORE: not saved" << std::endl;
        return;
    }
    end.best = bestLineOf(play.accuracy, receipt->previousBest, play.demo);
    end.newBest = !receipt->previousBest || play.accuracy > *receipt->previousBest;
    end.saved = true;
    log << "SCORE: " << end.best << ", saved" << std::endl;
}
