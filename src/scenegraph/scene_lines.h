#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scenegraph {

// A scene file as the reader sees it: every line in file order, empty ones
// included, without its line end.
using SceneLines = std::vector<std::string>;

// Splits text at '\n'; a '\r' before it (a file saved on Windows) goes too.
// Text after the last line break is one more line; a final line break does
// not start an empty one.
SceneLines splitSceneLines(std::string_view text);

// False, with lines left empty, when the file cannot be opened.
bool readSceneLines(const std::string& path, SceneLines& lines);

} // namespace scenegraph
