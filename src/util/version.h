#pragma once

#include <string>
#include <string_view>

#include "build_version.h"

namespace util {

// "<program> 0.9.0", with the checkout's git describe in brackets when the
// build came from one: what --version prints.
inline std::string versionLine(std::string_view program) {
    std::string line = std::string(program) + " " + CUEFLIGHT_VERSION;
    const std::string_view describe = CUEFLIGHT_GIT_DESCRIBE;
    if (!describe.empty()) {
        line += " (git " + std::string(describe) + ")";
    }
    return line;
}

} // namespace util
