#pragma once

#include "scenegraph/scene_lines.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scenegraph {

// Where a block lies in a list of lines: its opening and closing line, both
// inclusive.
struct BlockSpan {
    std::size_t first = 0;
    std::size_t last = 0;
};

// Blocks are found by text, not by parsing the nesting: the first line from
// `from` on holding "<" + tag opens the block, and the first line from there
// on holding "</" + its closing key closes it (no such line: the block runs to
// the end).
std::optional<BlockSpan> findBlock(const SceneLines& lines, std::string_view tag,
                                   std::size_t from = 0);

// The opening line from the first occurrence of the tag for the tag's length
// plus four characters: the tag, a space and the first three characters of
// the name. Nested blocks of one tag must differ there.
std::string closingKey(std::string_view openingLine, std::string_view tag);

// The words after the first one, up to the first word holding ":", joined by
// single spaces. Empty when the line names nothing.
std::string blockName(std::string_view openingLine);

// The lines findBlock(lines, tag, from) passed on its way to `found`: from
// `from` to the found block's closing line, or to the end.
std::size_t linesSearched(const SceneLines& lines, std::optional<BlockSpan> found,
                          std::size_t from = 0);

// Copies the block's lines out of the list.
SceneLines copyBlock(const SceneLines& lines, BlockSpan span);

// Lines that blocks are taken out of one after another, as a node's children
// are. A taken block leaves empty lines behind, which no search, key or
// header ever matches, so the list reads as if the lines were gone while
// nothing after them moves; and the list remembers per tag how far its lines
// are known to hold no opening of it. So a node with many children is read
// in one pass over its lines, not one pass over its header per child.
class BlockList {
public:
    explicit BlockList(SceneLines lines) : text(std::move(lines)) {}

    const SceneLines& lines() const { return text; }
    std::optional<BlockSpan> find(std::string_view tag);
    SceneLines take(BlockSpan span);
    // Lines the searches have passed and the takes have moved so far: the
    // work done on this list.
    std::size_t linesVisited() const { return visited; }

private:
    struct Searched {
        std::string tag;
        std::size_t clearBefore; // no line before this one opens the tag
    };

    Searched& searched(std::string_view tag);

    SceneLines text;
    std::vector<Searched> searches; // one per tag; a scene has a handful
    std::size_t visited = 0;
};

// A block's header: its lines from the opening line up to and including the
// first line holding ">"; the whole block when no line does.
std::span<const std::string> headerOf(const SceneLines& block);

} // namespace scenegraph
