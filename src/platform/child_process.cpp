#include "platform/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

// The error stream is only for the reason of a failure: its end is enough.
constexpr const char* kNice = "/usr/bin/nice";
constexpr std::size_t kErrorTailBytes = 4096;

struct Pipe {
    int read = -1;
    int write = -1;
    bool open() {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) {
            return false;
        }
        read = ends[0];
        write = ends[1];
        return true;
    }
    void close() {
        for (int* fd : {&read, &write}) {
            if (*fd >= 0) {
                ::close(*fd);
                *fd = -1;
            }
        }
    }
};

} // namespace

std::unique_ptr<ChildProcess> ChildProcess::start(const std::filesystem::path& program,
                                                  const std::vector<std::string>& args,
                                                  int niceness, std::string& error) {
    const std::string path = program.string();
    if (access(path.c_str(), X_OK) != 0) {
        error = "cannot run " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    // nice(1) lowers the priority before the program's first instruction.
    std::vector<std::string> words{kNice, "-n", std::to_string(niceness), path};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    Pipe out, err;
    if (!out.open() || !err.open()) {
        error = std::strerror(errno);
        out.close();
        err.close();
        return nullptr;
    }
    // posix_spawn starts the child without copying the game's memory map
    // (hundreds of MB with a GL driver), which fork would do in the middle
    // of a frame.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.write, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.write, STDERR_FILENO);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, kNice, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    // The child holds the write ends now; ours would keep the pipes from
    // ever reporting its end.
    ::close(out.write);
    ::close(err.write);
    out.write = err.write = -1;
    if (spawned != 0) {
        error = "cannot run " + path + ": " + std::strerror(spawned);
        out.close();
        err.close();
        return nullptr;
    }
    fcntl(out.read, F_SETFL, O_NONBLOCK);
    fcntl(err.read, F_SETFL, O_NONBLOCK);
    return std::unique_ptr<ChildProcess>(new ChildProcess(pid, out.read, err.read));
}

ChildProcess::ChildProcess(int pid, int outFd, int errFd) : pid(pid), outFd(outFd), errFd(errFd) {}

ChildProcess::~ChildProcess() {
    if (!finished()) {
        kill();
        waitpid(pid, nullptr, 0);
    }
    for (int fd : {outFd, errFd}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void ChildProcess::drain(int& fd, std::string& into, bool keepTail) {
    char buffer[4096];
    while (fd >= 0) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            into.append(buffer, static_cast<std::size_t>(got));
            if (keepTail && into.size() > kErrorTailBytes) {
                into.erase(0, into.size() - kErrorTailBytes);
            }
        } else if (got == 0) {
            ::close(fd);
            fd = -1;
        } else if (errno != EINTR) {
            return; // EAGAIN: nothing more for now
        }
    }
}

void ChildProcess::readLines(std::vector<std::string>& lines) {
    drain(outFd, outPending, false);
    drain(errFd, errText, true);
    std::size_t start = 0;
    for (std::size_t end; (end = outPending.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(outPending.substr(start, end - start));
    }
    outPending.erase(0, start);
}

bool ChildProcess::finished() {
    if (ended) {
        return true;
    }
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) != pid) {
        return false;
    }
    ended = true;
    if (WIFEXITED(raw)) {
        status = WEXITSTATUS(raw);
    } else if (WIFSIGNALED(raw)) {
        signal = WTERMSIG(raw);
    }
    return true;
}

std::string ChildProcess::lastErrorLine() const {
    std::string text = errText;
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    const std::size_t lineStart = text.rfind('\n');
    return lineStart == std::string::npos ? text : text.substr(lineStart + 1);
}

void ChildProcess::kill() {
    if (!ended) {
        ::kill(pid, SIGKILL);
    }
}

} // namespace platform
