#include "scenegraph/scene_blocks.h"

#include <algorithm>
#include <iterator>

namespace scenegraph {

namespace {

// Characters of the name that take part in the closing key, with the space.
constexpr std::size_t kClosingKeyExtra = 4;

bool contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

std::string joined(std::string_view head, std::string_view tail) {
    std::string text(head);
    text.append(tail);
    return text;
}

} // namespace

std::string closingKey(std::string_view openingLine, std::string_view tag) {
    const std::size_t at = openingLine.find(tag);
    if (at == std::string_view::npos) {
        return std::string(tag);
    }
    return std::string(openingLine.substr(at, tag.size() + kClosingKeyExtra));
}

std::optional<BlockSpan> findBlock(const SceneLines& lines, std::string_view tag,
                                   std::size_t from) {
    const std::string opening = joined("<", tag);
    const auto start = lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size()));
    const auto open = std::find_if(
        start, lines.end(), [&](const std::string& line) { return contains(line, opening); });
    if (open == lines.end()) {
        return std::nullopt;
    }
    const std::string closing = joined("</", closingKey(*open, tag));
    const auto close = std::find_if(
        open, lines.end(), [&](const std::string& line) { return contains(line, closing); });
    BlockSpan span;
    span.first = static_cast<std::size_t>(open - lines.begin());
    span.last =
        close == lines.end() ? lines.size() - 1 : static_cast<std::size_t>(close - lines.begin());
    return span;
}

std::string blockName(std::string_view openingLine) {
    std::string name;
    bool tagWordSeen = false;
    std::size_t pos = 0;
    while (pos < openingLine.size()) {
        const std::size_t start = openingLine.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) {
            break;
        }
        std::size_t end = openingLine.find(' ', start);
        if (end == std::string_view::npos) {
            end = openingLine.size();
        }
        const std::string_view word = openingLine.substr(start, end - start);
        pos = end;
        if (!tagWordSeen) {
            tagWordSeen = true;
            continue;
        }
        if (contains(word, ":")) {
            break;
        }
        if (!name.empty()) {
            name += ' ';
        }
        name += word;
    }
    return name;
}

std::size_t linesSearched(const SceneLines& lines, std::optional<BlockSpan> found,
                          std::size_t from) {
    const std::size_t end = found ? found->last + 1 : lines.size();
    return end > from ? end - from : 0;
}

SceneLines copyBlock(const SceneLines& lines, BlockSpan span) {
    return SceneLines(lines.begin() + static_cast<std::ptrdiff_t>(span.first),
                      lines.begin() + static_cast<std::ptrdiff_t>(span.last) + 1);
}

BlockList::Searched& BlockList::searched(std::string_view tag) {
    const auto known = std::find_if(searches.begin(), searches.end(),
                                    [&](const Searched& entry) { return entry.tag == tag; });
    if (known != searches.end()) {
        return *known;
    }
    return searches.emplace_back(Searched{std::string(tag), 0});
}

std::optional<BlockSpan> BlockList::find(std::string_view tag) {
    Searched& entry = searched(tag);
    const std::optional<BlockSpan> span = findBlock(text, tag, entry.clearBefore);
    visited += linesSearched(text, span, entry.clearBefore);
    entry.clearBefore = span ? span->first : text.size();
    return span;
}

SceneLines BlockList::take(BlockSpan span) {
    const auto first = text.begin() + static_cast<std::ptrdiff_t>(span.first);
    const auto end = text.begin() + static_cast<std::ptrdiff_t>(span.last) + 1;
    // The lines leave the list anyway, so they are moved: nested blocks are
    // taken level by level, and copying them would copy every line once per
    // level it is nested in.
    SceneLines block(std::make_move_iterator(first), std::make_move_iterator(end));
    std::for_each(first, end, [](std::string& line) { line.clear(); });
    visited += block.size();
    for (Searched& entry : searches) {
        if (entry.clearBefore >= span.first && entry.clearBefore <= span.last) {
            entry.clearBefore = span.last + 1;
        }
    }
    return block;
}

std::span<const std::string> headerOf(const SceneLines& block) {
    const auto end = std::find_if(block.begin(), block.end(),
                                  [](const std::string& line) { return contains(line, ">"); });
    const std::size_t count =
        end == block.end() ? block.size() : static_cast<std::size_t>(end - block.begin()) + 1;
    return std::span<const std::string>(block.data(), count);
}

} // namespace scenegraph
