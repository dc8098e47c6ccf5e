#include "scores_tool.h"

#include "library/song_identity.h"
#include "platform/user_folders.h"
#include "scores_table.h"
#include "store/score_store.h"
#include "store/sqlite_db.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace scores {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage = "usage: cueflight-scores [--song FILE] [--csv] [--store FILE]";

struct Options {
    std::optional<fs::path> song;
    std::optional<fs::path> store;
    bool csv = false;
};

std::optional<Options> parse(const std::vector<std::string>& args, std::string& error) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--csv") {
            options.csv = true;
        } else if ((arg == "--song" || arg == "--store") && i + 1 < args.size()) {
            (arg == "--song" ? options.song : options.store) = fs::path(args[++i]);
        } else {
            error = arg == "--song" || arg == "--store" ? arg + " needs a file"
                                                        : "unknown argument '" + arg + "'";
            return std::nullopt;
        }
    }
    return options;
}

} // namespace

int runScoresTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::optional<Options> options = parse(args, error);
    if (!options) {
        err << "cueflight-scores: " << error << "\n" << kUsage << std::endl;
        return 2;
    }
    fs::path storeFile;
    if (options->store) {
        storeFile = *options->store;
    } else if (std::optional<fs::path> folder = platform::userFolder(platform::UserFolder::Data)) {
        storeFile = *folder / "scores.db";
    } else {
        err << "cueflight-scores: no folder for your scores: neither HOME nor XDG_DATA_HOME "
               "names one"
            << std::endl;
        return 1;
    }
    std::optional<std::string> songId;
    if (options->song) {
        songId = library::songIdentity(*options->song, error);
        if (!songId) {
            err << "cueflight-scores: cannot read " << options->song->string() << ": " << error
                << std::endl;
            return 1;
        }
    }
    std::unique_ptr<store::ScoreStore> scores = store::ScoreStore::openForReading(storeFile, err);
    if (!scores) {
        return 1;
    }
    try {
        const std::vector<store::PlayRecord> plays = scores->plays(songId);
        (options->csv ? writeCsv : writeTable)(plays, out);
    } catch (const store::SqliteError& failure) {
        err << "cueflight-scores: cannot read " << storeFile.string() << ": " << failure.what()
            << std::endl;
        return 1;
    }
    return 0;
}

} // namespace scores
