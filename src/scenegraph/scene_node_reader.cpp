#include "scenegraph/scene_node_reader.h"

#include "model/obj.h"
#include "scenegraph/disappearing_node.h"
#include "scenegraph/hit_node.h"
#include "scenegraph/object_node.h"
#include "scenegraph/scene_keys.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <utility>

namespace scenegraph {

namespace {

// Deeper nesting than any scene needs; the bound keeps a malformed file from
// exhausting the stack.
constexpr int kMaxNodeDepth = 100;
// Searches per line, and searches of the root's own blocks.
constexpr std::size_t kSearchesPerLine = 2;
constexpr std::size_t kRootSearches = 8;
// Line visits per line, and for the root's own blocks. A file whose blocks
// do not overlap moves each line once per level it is nested in, copies a
// geometry's lines once more, and each kind of block's search passes a
// level's lines once: the game's scene needs about 21 a line, a chain of
// nodes as deep as the reader goes about 270.
constexpr std::size_t kVisitsPerLine = 4 * static_cast<std::size_t>(kMaxNodeDepth);
constexpr std::size_t kRootVisits = 64;

std::string quoted(std::string_view text) {
    std::string result(1, '"');
    result.append(text);
    result.push_back('"');
    return result;
}

void readTransformKeys(const SceneKeys& keys, TransformationNode& node) {
    keys.read("localmodelMat", node.localmodelMat);
    keys.read("globalModelMat", node.globalModelMat);
    keys.read("rotMat", node.rotMat);
    keys.read("scaleMat", node.scaleMat);
    keys.read("inv_scale", node.inv_scale);
    keys.read("scale_value", node.scale_value);
    keys.read("initialModelMat", node.initialModelMat);
}

void readNodeKeys(const SceneKeys& keys, Node& node) {
    keys.read("status", node.status);
    keys.read("drawStatus", node.drawStatus);
    keys.read("drawMode", node.drawMode);
    keys.read("isHit", node.m_isHit);
}

void readDisappearingKeys(const SceneKeys& keys, DisappearingNode& node) {
    keys.read("startTime", node.startTime);
    keys.read("timeLimit", node.timeLimit);
    keys.read("onHit", node.onHit);
    keys.read("x_value", node.x_value);
    keys.read("y_value", node.y_value);
    keys.read("z_value", node.z_value);
    keys.read("dist", node.dist);
    keys.read("x_smaller", node.x_smaller);
    keys.read("y_smaller", node.y_smaller);
    keys.read("z_smaller", node.z_smaller);
}

// Counts one level of node nesting while it lives.
class DepthGuard {
public:
    explicit DepthGuard(int& counter) : depth(counter) { ++depth; }
    ~DepthGuard() { --depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth;
};

} // namespace

std::size_t sceneReadBudget(std::size_t lineCount) {
    return kSearchesPerLine * lineCount + kRootSearches;
}

std::size_t sceneLineBudget(std::size_t lineCount) {
    return kVisitsPerLine * lineCount + kRootVisits;
}

SceneNodeReader::SceneNodeReader(std::string source, GeometryFactory makeGeometry,
                                 std::size_t blockBudget, std::size_t lineBudget)
    : source(std::move(source)), makeGeometry(std::move(makeGeometry)), blocksLeft(blockBudget),
      linesLeft(lineBudget) {}

void SceneNodeReader::report(const std::string& owner, const std::string& problem,
                             const std::string& consequence) const {
    std::cerr << source << ": " << owner << ": " << problem << " - " << consequence << std::endl;
}

bool SceneNodeReader::withinBudget(const std::string& owner) {
    if (blocksLeft > 0 && linesLeft > 0) {
        --blocksLeft;
        return true;
    }
    if (!budgetReported) {
        budgetReported = true;
        report(owner, "blocks overlap, read more often than the file has lines",
               "rest of the scene skipped");
    }
    return false;
}

void SceneNodeReader::charge(std::size_t linesVisited) {
    linesLeft -= std::min(linesLeft, linesVisited);
}

template <typename Find>
std::optional<BlockSpan> SceneNodeReader::searchBlock(Find find, std::string_view tag,
                                                      const std::string& owner,
                                                      const std::string& consequence) {
    if (!withinBudget(owner)) {
        return std::nullopt;
    }
    const std::optional<BlockSpan> span = find();
    if (!span) {
        report(owner, "no " + quoted(tag) + " block", consequence);
    }
    return span;
}

bool SceneNodeReader::named(const std::string& openingLine, std::string_view tag,
                            const std::string& owner, const std::string& consequence) const {
    if (!blockName(openingLine).empty()) {
        return true;
    }
    report(owner, quoted(tag) + " block opened by " + quoted(openingLine) + " has no name",
           consequence);
    return false;
}

std::optional<SceneLines> SceneNodeReader::takeNamedBlock(BlockList& lines, std::string_view tag,
                                                          const std::string& owner,
                                                          const std::string& consequence) {
    const std::size_t visitedBefore = lines.linesVisited();
    const std::optional<BlockSpan> span =
        searchBlock([&] { return lines.find(tag); }, tag, owner, consequence);
    if (!span) {
        charge(lines.linesVisited() - visitedBefore);
        return std::nullopt;
    }
    SceneLines block = lines.take(*span);
    charge(lines.linesVisited() - visitedBefore);
    if (!named(block.front(), tag, owner, consequence)) {
        return std::nullopt;
    }
    return block;
}

std::optional<SceneLines> SceneNodeReader::copyNamedBlock(const SceneLines& lines,
                                                          std::string_view tag,
                                                          const std::string& owner,
                                                          const std::string& consequence) {
    const std::optional<BlockSpan> span =
        searchBlock([&] { return findBlock(lines, tag); }, tag, owner, consequence);
    charge(linesSearched(lines, span));
    if (!span || !named(lines[span->first], tag, owner, consequence)) {
        return std::nullopt;
    }
    charge(span->last - span->first + 1);
    return copyBlock(lines, *span);
}

bool SceneNodeReader::readTransnode(BlockList& lines, TransformationNode& node,
                                    const std::string& owner) {
    std::optional<SceneLines> block = takeNamedBlock(lines, "Transnode", owner);
    if (!block) {
        return false;
    }
    node.name = blockName(block->front());
    readTransformKeys(SceneKeys(headerOf(*block)), node);
    BlockList inner(std::move(*block));
    return readNode(inner, node, owner);
}

bool SceneNodeReader::readNode(BlockList& lines, Node& node, const std::string& owner) {
    const DepthGuard guard(depth);
    if (depth > kMaxNodeDepth) {
        report(owner, "nodes nested deeper than " + std::to_string(kMaxNodeDepth));
        return false;
    }
    std::optional<SceneLines> block = takeNamedBlock(lines, "Node", owner);
    if (!block) {
        return false;
    }
    node.name = blockName(block->front());
    BlockList nodeBlock(std::move(*block));
    const std::span<const std::string> header = headerOf(nodeBlock.lines());
    readNodeKeys(SceneKeys(header), node);
    readChildren(nodeBlock, node, childTypeWords(header));
    return true;
}

void SceneNodeReader::readChildren(BlockList& nodeBlock, Node& parent,
                                   const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string owner =
            "child " + std::to_string(i) + " (" + words[i] + ") of " + quoted(parent.name);
        if (Node* child = readChild(nodeBlock, words[i], owner)) {
            parent.addChild(child);
        }
    }
}

Node* SceneNodeReader::readChild(BlockList& nodeBlock, const std::string& word,
                                 const std::string& owner) {
    if (word == "DisappearingNode") {
        return readDisappearingChild(nodeBlock, owner);
    }
    if (word == "TransformationNode") {
        return readTransformationChild(nodeBlock, owner);
    }
    if (word == "ObjectNode") {
        return readObjectChild(nodeBlock, false, owner);
    }
    if (word == "HitNode") {
        return readObjectChild(nodeBlock, true, owner);
    }
    std::cout << "UNKNOWN NODE TYPE - " << word << std::endl;
    return nullptr;
}

Node* SceneNodeReader::readTransformationChild(BlockList& nodeBlock, const std::string& owner) {
    auto node = std::make_unique<TransformationNode>("", "TransformationNode");
    return readTransnode(nodeBlock, *node, owner) ? node.release() : nullptr;
}

Node* SceneNodeReader::readDisappearingChild(BlockList& nodeBlock, const std::string& owner) {
    std::optional<SceneLines> block = takeNamedBlock(nodeBlock, "DisappearingNode", owner);
    if (!block) {
        return nullptr;
    }
    auto node = std::make_unique<DisappearingNode>(blockName(block->front()).c_str());
    readDisappearingKeys(SceneKeys(headerOf(*block)), *node);
    BlockList inner(std::move(*block));
    return readTransnode(inner, *node, owner) ? node.release() : nullptr;
}

Node* SceneNodeReader::readObjectChild(BlockList& nodeBlock, bool hittable,
                                       const std::string& owner) {
    std::optional<SceneLines> block =
        takeNamedBlock(nodeBlock, hittable ? "HitNode" : "ObjectNode", owner);
    if (!block) {
        return nullptr;
    }
    const std::string name = blockName(block->front());
    model::OBJ* geometry = readGeometry(*block, "geometry of " + quoted(name));
    if (geometry == nullptr) {
        return nullptr;
    }
    const SceneKeys keys(headerOf(*block));
    std::unique_ptr<ObjectNode> node;
    if (hittable) {
        auto hitNode = std::make_unique<HitNode>(name, geometry);
        keys.read("color", hitNode->color);
        keys.read("hitable", hitNode->hitable);
        node = std::move(hitNode);
    } else {
        node = std::make_unique<ObjectNode>(name, "ObjectNode", geometry);
    }
    keys.read("modelMatrix", node->modelMatrix);
    BlockList inner(std::move(*block));
    return readNode(inner, *node, owner) ? node.release() : nullptr;
}

model::OBJ* SceneNodeReader::readGeometry(const SceneLines& objectBlock, const std::string& owner) {
    std::optional<SceneLines> block = copyNamedBlock(objectBlock, "GeomObj", owner);
    if (!block) {
        return nullptr;
    }
    // Unlike the header keys, the two paths may stand on any line of the block.
    const SceneKeys keys(*block);
    std::string objPath;
    std::string texturePath;
    keys.read("objpath", objPath);
    keys.read("texturepath", texturePath);
    model::OBJ* geometry = makeGeometry(objPath, texturePath);
    if (geometry == nullptr) {
        report(owner, "no model made for " + quoted(objPath));
        return nullptr;
    }
    // A geometry that cannot be read stays with whoever made it (the
    // vertex-buffer collection deletes its models at exit).
    BlockList inner(std::move(*block));
    return readTransnode(inner, *geometry, owner) ? geometry : nullptr;
}

} // namespace scenegraph
