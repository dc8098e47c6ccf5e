#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A program run beside the game (the charting tool): started niced, its
// standard output read line by line as it comes and its end noticed, all
// without ever blocking a frame. Whatever the program does, crashing and
// hanging included, stays in its own process.

namespace platform {

class ChildProcess {
public:
    // Starts `program` with `args` at the given niceness (0 to 19: how much
    // it gives way to the game), its standard input empty. Nothing, with the
    // reason in `error`, when it cannot be started.
    static std::unique_ptr<ChildProcess> start(const std::filesystem::path& program,
                                               const std::vector<std::string>& args, int niceness,
                                               std::string& error);
    // A child still running is killed and reaped: none outlives its owner.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Appends the complete lines the child has written to its standard
    // output since the last call; never waits. Its error stream is kept
    // (the last few kB) for errorText().
    void readLines(std::vector<std::string>& lines);
    // True once the child has ended; never waits.
    bool finished();
    // After finished(): the exit status, or -1 when a signal ended it.
    int exitStatus() const { return status; }
    // After finished(): the signal that ended it, 0 for a normal exit.
    int endingSignal() const { return signal; }
    // What the child wrote to its error stream, its last line without the
    // line break.
    std::string lastErrorLine() const;
    // Ends the child at once (SIGKILL); finished() then soon says so.
    void kill();

private:
    ChildProcess(int pid, int outFd, int errFd);
    void drain(int& fd, std::string& into, bool keepTail);

    int pid;
    int outFd;              // its standard output; -1 once it closed
    int errFd;              // its error stream; -1 once it closed
    std::string outPending; // output after the last complete line
    std::string errText;    // the tail of its error stream
    bool ended = false;
    int status = -1;
    int signal = 0;
};

} // namespace platform
