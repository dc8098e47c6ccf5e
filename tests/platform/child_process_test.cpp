#include "platform/child_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

// Polls as the game does, once a frame, until the child ends.
std::vector<std::string> linesUntilEnd(platform::ChildProcess& child) {
    std::vector<std::string> lines;
    for (int frame = 0; frame < 2000 && !child.finished(); ++frame) {
        child.readLines(lines);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    child.readLines(lines);
    return lines;
}

TEST(ChildProcess, LinesArriveAsWrittenAndTheEndTellsHowItEnded) {
    std::string error;
    auto child = platform::ChildProcess::start(
        "/bin/sh",
        {"-c", "printf 'one\\ntw'; sleep 0.2; printf 'o\\nthree\\n'; echo oops >&2; "
               "echo 'the reason' >&2; exit 3"},
        10, error);
    ASSERT_TRUE(child) << error;
    std::vector<std::string> first;
    child->readLines(first);
    EXPECT_LE(first.size(), 1u) << "only complete lines, never half of one";
    std::vector<std::string> lines = linesUntilEnd(*child);
    lines.insert(lines.begin(), first.begin(), first.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(child->exitStatus(), 3);
    EXPECT_EQ(child->endingSignal(), 0);
    EXPECT_EQ(child->lastErrorLine(), "the reason");
}

TEST(ChildProcess, ACrashOrAKillStaysInTheChildAndAMissingProgramIsAReason) {
    std::string error;
    auto crashing = platform::ChildProcess::start("/bin/sh", {"-c", "kill -SEGV $$"}, 0, error);
    ASSERT_TRUE(crashing) << error;
    linesUntilEnd(*crashing);
    EXPECT_EQ(crashing->endingSignal(), SIGSEGV);
    EXPECT_EQ(crashing->exitStatus(), -1);

    auto hanging = platform::ChildProcess::start("/bin/sleep", {"60"}, 19, error);
    ASSERT_TRUE(hanging) << error;
    EXPECT_FALSE(hanging->finished());
    hanging->kill();
    linesUntilEnd(*hanging);
    EXPECT_EQ(hanging->endingSignal(), SIGKILL);

    auto missing = platform::ChildProcess::start("/nonexistent/tool", {}, 0, error);
    EXPECT_FALSE(missing);
    EXPECT_EQ(error, "cannot run /nonexistent/tool: No such file or directory");
}

TEST(ChildProcess, RunsNicedAndItsOwnerReapsItWhenGone) {
    std::string error;
    auto niced = platform::ChildProcess::start("/bin/sh", {"-c", "nice"}, 7, error);
    ASSERT_TRUE(niced) << error;
    // Seven more than the game's own, which a niced test run raises, up to
    // the most there is.
    const int own = ::nice(0);
    EXPECT_EQ(linesUntilEnd(*niced),
              std::vector<std::string>{std::to_string(std::min(own + 7, 19))});

    pid_t sleeper = 0;
    {
        auto child =
            platform::ChildProcess::start("/bin/sh", {"-c", "echo $$; exec sleep 60"}, 0, error);
        ASSERT_TRUE(child) << error;
        std::vector<std::string> lines;
        for (int frame = 0; frame < 2000 && lines.empty(); ++frame) {
            child->readLines(lines);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_EQ(lines.size(), 1u);
        sleeper = std::stoi(lines[0]);
    }
    EXPECT_NE(::kill(sleeper, 0), 0) << "the child outlived its owner";
}

} // namespace
