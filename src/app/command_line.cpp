#include "app/command_line.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <sstream>

namespace {

constexpr const char* kSeeHelp = " (cueflight --help lists the options)";

// A whole number or a decimal with a point, whatever the locale; nothing
// unless the whole text is that number.
std::optional<double> plainNumber(std::string_view text) {
    double number = 0.0;
    const auto [end, status] =
        std::from_chars(text.data(), text.data() + text.size(), number, std::chars_format::fixed);
    if (text.empty() || status != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

// "30-45.5": seconds of the song, the first before the second.
std::optional<game::PracticeRange> passageOf(const std::string& text) {
    const std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<double> from = plainNumber(std::string_view(text).substr(0, dash));
    const std::optional<double> to = plainNumber(std::string_view(text).substr(dash + 1));
    if (!from || !to || *from < 0.0 || *to <= *from) {
        return std::nullopt;
    }
    return game::PracticeRange{*from * 1000.0, *to * 1000.0, game::kFastestSpeed};
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args,
                             const std::filesystem::path& workingDir) {
    CommandLine line;
    auto refuse = [&line](const std::string& error) {
        line.action = CommandLine::Action::Refuse;
        line.error = "cueflight: " + error + kSeeHelp;
        return line;
    };
    std::optional<double> speed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
        if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (arg == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (arg == "--config") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return refuse("--config needs a file");
            }
            line.configFile = (workingDir / args[++i]).lexically_normal();
        } else if (arg == "--library") {
            line.library = true;
            while (i + 1 < args.size() && args[i + 1].rfind('-', 0) != 0) {
                line.libraryFolders.push_back((workingDir / args[++i]).lexically_normal());
            }
        } else if (arg == "--calibrate") {
            line.start = CommandLine::Start::Calibration;
        } else if (arg == "--practice") {
            std::optional<game::PracticeRange> passage =
                hasValue ? passageOf(args[++i]) : std::nullopt;
            if (!passage) {
                return refuse("--practice needs the passage as FROM-TO, in seconds of the song, "
                              "such as 30-45.5");
            }
            line.start = CommandLine::Start::Practice;
            line.practice = *passage;
        } else if (arg == "--speed") {
            speed = hasValue ? plainNumber(args[++i]) : std::nullopt;
            if (!speed || *speed < game::kSlowestSpeed || *speed > game::kFastestSpeed) {
                return refuse("--speed needs a speed from 0.5 to 1.0");
            }
        } else if (arg.rfind('-', 0) == 0) {
            return refuse("unknown option '" + arg + "'");
        } else {
            return refuse("unexpected argument '" + arg + "'");
        }
    }
    if (std::count(args.begin(), args.end(), "--calibrate") > 0 &&
        std::count(args.begin(), args.end(), "--practice") > 0) {
        return refuse("--calibrate and --practice cannot go together");
    }
    if (line.library && line.start != CommandLine::Start::Level) {
        return refuse("--library goes without --calibrate and --practice");
    }
    if (speed) {
        if (line.start != CommandLine::Start::Practice) {
            return refuse("--speed goes with --practice");
        }
        line.practice.speed = *speed;
    }
    return line;
}

std::string helpText(const PlayerFilesText& files) {
    std::ostringstream text;
    text << "usage: cueflight [--library [DIR...]] [--config FILE]\n"
            "                 [--calibrate | --practice FROM-TO [--speed S]]\n"
            "\n"
            "A rhythm game: fly through space with the music and click each cue on its beat.\n"
            "Started in a run folder (the build's build/run/, a chart's folder) it plays that\n"
            "folder's level; anywhere else it plays the song installed with it.\n"
            "\n"
            "Options:\n"
            "  --library [DIR...]  choose songs from these folders (by default your music\n"
            "                      folder, as xdg-user-dir MUSIC says, else ~/Music), charted\n"
            "                      in the background, and play one after another\n"
            "  --config FILE       read your settings from FILE instead of the file below\n"
            "  --calibrate         find your latency: tap along with a click, then line up\n"
            "                      a flash with it; Enter saves each value in your settings\n"
            "  --practice FROM-TO  loop seconds FROM to TO of the song, with a 2 s run-in;\n"
            "                      nothing is saved as a score\n"
            "  --speed S           practise at S times the speed, 0.5 to 1.0, the pitch kept\n"
            "                      (keys - and + change it by 0.05 while playing)\n"
            "  --help, -h          show this help and exit\n"
            "  --version           show the version and exit\n"
            "\n"
            "Your files:\n"
            "  settings  "
         << files.settings << "\n            read over the defaults in " << files.defaults
         << "\n  charts    " << files.charts << "\n  scores    " << files.scores
         << "\n"
            "Each can be reset by removing it; the game makes it again when it needs it.\n"
            "\n"
            "Your own songs: cueflight --library lists them; cueflight-chart SONG charts one\n"
            "into a folder of its own, where cueflight plays it (see cueflight-chart --help).\n";
    return text.str();
}
