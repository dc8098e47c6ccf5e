#include "app/command_line.h"
#include "app/start_folder.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Action = CommandLine::Action;

CommandLine parse(std::vector<std::string> args) {
    return parseCommandLine(args, "/home/p/songs");
}

TEST(CommandLine, OptionsAreReadAndAnythingElseIsRefusedInOneLine) {
    EXPECT_EQ(parse({}).action, Action::Play);
    EXPECT_EQ(parse({"--help"}).action, Action::Help);
    EXPECT_EQ(parse({"--config", "x", "-h"}).action, Action::Help);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);

    const CommandLine relative = parse({"--config", "../my.cfg"});
    EXPECT_EQ(relative.action, Action::Play);
    EXPECT_EQ(relative.configFile, fs::path("/home/p/my.cfg"));
    EXPECT_EQ(parse({"--config", "/etc/x.cfg"}).configFile, fs::path("/etc/x.cfg"));

    const CommandLine library = parse({"--library", "a", "/m/b", "--config", "c.cfg"});
    EXPECT_TRUE(library.library);
    EXPECT_EQ(library.libraryFolders, (std::vector<fs::path>{"/home/p/songs/a", "/m/b"}));
    EXPECT_EQ(library.configFile, fs::path("/home/p/songs/c.cfg"));
    EXPECT_TRUE(parse({"--library"}).library);
    EXPECT_TRUE(parse({"--library"}).libraryFolders.empty());
    EXPECT_FALSE(parse({}).library);

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--frobnicate"}, {"-x"}, {"--config"}, {"--config", ""}, {"song.ogg"}}) {
        const CommandLine refused = parse(args);
        EXPECT_EQ(refused.action, Action::Refuse) << args[0];
        EXPECT_EQ(refused.error.rfind("cueflight: ", 0), 0u) << refused.error;
        EXPECT_EQ(refused.error.find('\n'), std::string::npos);
    }
    EXPECT_EQ(parse({"--frobnicate"}).error,
              "cueflight: unknown option '--frobnicate' (cueflight --help lists the options)");
}

TEST(CommandLine, CalibrationAndPracticeAreStartsAndAPassageIsReadInSeconds) {
    using Start = CommandLine::Start;
    EXPECT_EQ(parse({}).start, Start::Level);
    EXPECT_EQ(parse({"--calibrate"}).start, Start::Calibration);
    const CommandLine practice = parse({"--speed", "0.75", "--practice", "30-45.5"});
    EXPECT_EQ(practice.start, Start::Practice);
    EXPECT_EQ(practice.practice.fromMs, 30000.0);
    EXPECT_EQ(practice.practice.toMs, 45500.0);
    EXPECT_EQ(practice.practice.speed, 0.75);
    EXPECT_EQ(parse({"--practice", "0-10"}).practice.speed, 1.0);
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--practice"},
                                               {"--practice", "45-30"},
                                               {"--practice", "30"},
                                               {"--practice", "-5-10"},
                                               {"--practice", "3,5-10"},
                                               {"--practice", "5-10", "--speed", "0.4"},
                                               {"--practice", "5-10", "--speed", "1.5"},
                                               {"--practice", "5-10", "--speed", "x"},
                                               {"--speed", "0.5"},
                                               {"--calibrate", "--practice", "1-2"},
                                               {"--library", "--calibrate"}}) {
        EXPECT_EQ(parse(args).action, Action::Refuse) << args.back();
    }
}

TEST(CommandLine, HelpNamesEveryOptionAndThePlayersFiles) {
    const std::string help = helpText({"/c/cueflight/config.cfg", "/usr/share/cueflight/config.cfg",
                                       "/k/cueflight", "/d/cueflight"});
    for (const char* part :
         {"--library [DIR...]", "--config FILE", "--calibrate", "--practice FROM-TO", "--speed S",
          "--help", "--version", "/c/cueflight/config.cfg", "/usr/share/cueflight/config.cfg",
          "/k/cueflight", "/d/cueflight"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
}

// A run folder is a folder holding the level's scene.
fs::path makeRunFolder(const testsupport::ScratchDir& scratch, const std::string& name) {
    scratch.write(name + "/Scenes/testscene.scene", "");
    return scratch.path() / name;
}

TEST(StartFolder, TheWorkingDirectoryWinsWhereTheGameWasStartedFromItOrItHoldsALevel) {
    testsupport::ScratchDir scratch;
    const fs::path installed = makeRunFolder(scratch, "usr/share/cueflight");
    const fs::path binary = scratch.path() / "usr/bin/cueflight";
    scratch.write("usr/bin/cueflight", "");
    const fs::path chart = makeRunFolder(scratch, "chart");
    const fs::path empty = scratch.path() / "empty";
    fs::create_directories(empty);
    std::string looked;

    // ./cueflight in a test's copy keeps its folder even with the level gone.
    EXPECT_EQ(chooseRunFolder({empty, "./cueflight", binary}, looked), empty);
    EXPECT_EQ(chooseRunFolder({empty, empty / "cueflight", binary}, looked), empty);
    // From the PATH: a chart's folder plays, a plain folder gives way to the
    // installed data.
    EXPECT_EQ(chooseRunFolder({chart, "cueflight", binary}, looked), chart);
    EXPECT_EQ(chooseRunFolder({empty, "cueflight", binary}, looked), installed);
    // build/run/cueflight started from the source tree plays build/run/.
    const fs::path runFolder = makeRunFolder(scratch, "build/run");
    EXPECT_EQ(chooseRunFolder({empty, "build/run/cueflight", runFolder / "cueflight"}, looked),
              runFolder);

    const fs::path stray = scratch.path() / "opt/bin/cueflight";
    EXPECT_EQ(chooseRunFolder({empty, "cueflight", stray}, looked), std::nullopt);
    EXPECT_EQ(looked, empty.string() + ", " + (scratch.path() / "opt/bin").string() + " and " +
                          (scratch.path() / "opt/share/cueflight").string());
}

} // namespace
