#include "scenegraph/scene_lines.h"

#include <fstream>
#include <iterator>

namespace scenegraph {

SceneLines splitSceneLines(std::string_view text) {
    SceneLines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

bool readSceneLines(const std::string& path, SceneLines& lines) {
    lines.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    lines = splitSceneLines(text);
    return true;
}

} // namespace scenegraph
