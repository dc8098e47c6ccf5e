#include "app/command_line.h"

#include <sstream>

namespace {

constexpr const char* kSeeHelp = " (cueflight --help lists the options)";

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args,
                             const std::filesystem::path& workingDir) {
    CommandLine line;
    auto refuse = [&line](const std::string& error) {
        line.action = CommandLine::Action::Refuse;
        line.error = "cueflight: " + error + kSeeHelp;
        return line;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
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
        } else if (arg.rfind('-', 0) == 0) {
            return refuse("unknown option '" + arg + "'");
        } else {
            return refuse("unexpected argument '" + arg + "'");
        }
    }
    return line;
}

std::string helpText(const PlayerFilesText& files) {
    std::ostringstream text;
    text << "usage: cueflight [--library [DIR...]] [--config FILE]\n"
            "\n"
            "A rhythm game: fly through space with the music and click each cue on its beat.\n"
            "Started in a run folder (the build's build/run/, a chart's folder) it plays that\n"
            "folder's level; anywhere else it plays the song installed with it.\n"
            "\n"
            "Options:\n"
            "  --library [DIR...]  choose songs from these folders (by default your music\n"
            "                 folder, as xdg-user-dir MUSIC says, else ~/Music), charted in\n"
            "                 the background, and play one after another\n"
            "  --config FILE  read your settings from FILE instead of the file below\n"
            "  --help, -h     show this help and exit\n"
            "  --version      show the version and exit\n"
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
