#pragma once

#include "app/config.h"

#include <iosfwd>
#include <optional>
#include <string>

// Writing a setting back into the player's own settings file, the one
// loadPlayerConfig reads: every other line, comment and unknown key stays as
// it was, byte for byte.

// A number as the settings file holds it, whatever the locale: a dot before
// at most one decimal, none for a whole number ("38", "-12.5").
std::string settingNumber(double value);

// The value of the key's last line (the one that counts); nothing when no
// line sets the key.
std::optional<std::string> settingIn(const std::string& text, const std::string& key);

// The text with the key's last line set to `value`, or a line appended for
// it (with the file's own line ending); with no value, the key's last line
// taken out.
std::string withSetting(const std::string& text, const std::string& key,
                        const std::optional<std::string>& value);

// Sets (or with no value takes out) one key in the player's file, made with
// its folder when missing, replaced through a temporary file. `before`
// receives the value the file held for the key, so the change can be taken
// back. A file the game cannot read as settings (too large, not text) is
// left alone. False with the reason in `error`.
bool savePlayerSetting(const PlayerConfig& config, const std::string& key,
                       std::optional<std::string> value, std::optional<std::string>& before,
                       std::string& error);
