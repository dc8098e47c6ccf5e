#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace platform {
namespace {

// On Linux a thread's id names that thread alone to setpriority.
id_t thisThreadId() {
    return static_cast<id_t>(syscall(SYS_gettid));
}

} // namespace

bool runThisThreadInTheBackground() {
    return setpriority(PRIO_PROCESS, thisThreadId(), kBackgroundNiceness) == 0;
}

int thisThreadNiceness() {
    errno = 0;
    return getpriority(PRIO_PROCESS, thisThreadId());
}

} // namespace platform
