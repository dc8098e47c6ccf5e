#pragma once

// Result codes of the sound layer: 0 is success, anything else is printed by
// the caller as it stands.

namespace platform::sound::result {

constexpr int ok = 0;
constexpr int fileNotFound = 1; // the file does not exist or cannot be read
constexpr int badFormat = 2;    // the file is there but cannot be decoded or played
constexpr int invalidArgument =
    3; // a missing sound, an unknown flag or channel id, a stream already playing
constexpr int noFreeChannel = 4;  // every channel is busy; nothing was cut off to make room
constexpr int notInitialised = 5; // init has not been called, or release has

} // namespace platform::sound::result
