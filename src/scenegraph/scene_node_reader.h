#pragma once

#include "scenegraph/scene_blocks.h"
#include "scenegraph/scene_lines.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace model {
class OBJ;
}

namespace scenegraph {

class Node;
class TransformationNode;

// Block searches enough for any file whose blocks do not overlap: each block
// is found once at its own opening line, and each search that finds nothing
// follows a found block or is one of the root's few.
std::size_t sceneReadBudget(std::size_t lineCount);
// Line visits (lines a search passes, a take moves or a copy copies) enough
// for any file whose blocks do not overlap. Searches alone do not bound the
// work: each may pass the rest of the file, so blocks that overlap on many
// lines would cost the square of the file's length.
std::size_t sceneLineBudget(std::size_t lineCount);

// Makes the drawable model of a "GeomObj" block from its two paths. The game
// makes it through the vertex-buffer collection; tests and the fuzzer pass
// their own, so reading needs no GL context.
using GeometryFactory =
    std::function<model::OBJ*(const std::string& objPath, const std::string& texturePath)>;

// Reads the node blocks of one scene file into nodes. A block that is missing
// or names nothing gives one error line naming the file, the object and what
// is missing; that object is skipped and reading goes on with the rest.
class SceneNodeReader {
public:
    // blockBudget bounds the number of block searches, so overlapping blocks
    // cannot be read again and again, and lineBudget the lines they visit;
    // see sceneReadBudget and sceneLineBudget.
    SceneNodeReader(std::string source, GeometryFactory makeGeometry, std::size_t blockBudget,
                    std::size_t lineBudget);

    // Takes the first "Transnode" block out of lines and reads it, with its
    // "Node" block and the children listed there, into node. False when the
    // node could not be read; the caller then discards it. owner names the
    // object in error lines.
    bool readTransnode(BlockList& lines, TransformationNode& node, const std::string& owner);
    // The same for the first "Node" block.
    bool readNode(BlockList& lines, Node& node, const std::string& owner);

    // Takes the first block of tag out of lines. Reports and gives nothing
    // when there is none or when its opening line names nothing; a nameless
    // block is still taken out, so the next search moves past it.
    std::optional<SceneLines> takeNamedBlock(BlockList& lines, std::string_view tag,
                                             const std::string& owner,
                                             const std::string& consequence = "skipped");
    // The same, but the block stays in lines: only its own lines are copied.
    std::optional<SceneLines> copyNamedBlock(const SceneLines& lines, std::string_view tag,
                                             const std::string& owner,
                                             const std::string& consequence = "skipped");
    void report(const std::string& owner, const std::string& problem,
                const std::string& consequence = "skipped") const;

private:
    void readChildren(BlockList& nodeBlock, Node& parent, const std::vector<std::string>& words);
    Node* readChild(BlockList& nodeBlock, const std::string& word, const std::string& owner);
    Node* readTransformationChild(BlockList& nodeBlock, const std::string& owner);
    Node* readDisappearingChild(BlockList& nodeBlock, const std::string& owner);
    Node* readObjectChild(BlockList& nodeBlock, bool hittable, const std::string& owner);
    model::OBJ* readGeometry(const SceneLines& objectBlock, const std::string& owner);
    bool withinBudget(const std::string& owner);
    void charge(std::size_t linesVisited);
    template <typename Find>
    std::optional<BlockSpan> searchBlock(Find find, std::string_view tag, const std::string& owner,
                                         const std::string& consequence);
    bool named(const std::string& openingLine, std::string_view tag, const std::string& owner,
               const std::string& consequence) const;

    std::string source;           // the file, named in every error line
    GeometryFactory makeGeometry; // where "GeomObj" blocks get their models
    std::size_t blocksLeft;       // overlapping blocks must not be read without end
    std::size_t linesLeft;        // nor over and over on long stretches of the file
    bool budgetReported = false;  // the overrun is reported once, not per block
    int depth = 0;                // node nesting, bounded to protect the stack
};

} // namespace scenegraph
