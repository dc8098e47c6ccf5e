// Feeds arbitrary text to the scene reader as if it were a scene file. The
// geometry of "GeomObj" blocks is made as bare models, so no GL is needed.

#include "fuzz_support.h"
#include "model/obj.h"
#include "scenegraph/root_node.h"
#include "scenegraph/scene_reader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::silenceGameStreams();
    std::vector<std::unique_ptr<model::OBJ>> models;
    auto makeModel = [&models](const std::string&, const std::string&) {
        models.push_back(std::make_unique<model::OBJ>(nullptr));
        return models.back().get();
    };
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto* root = scenegraph::RootNode::getInstance();
    scenegraph::readScene(*root, scenegraph::splitSceneLines(text), "fuzz.scene", makeModel);

    // Walk everything that was built, so a broken link shows up here.
    std::ostringstream tree;
    root->printTree(tree, 0);
    for (const auto& model : models) {
        model->printTree(tree, 0);
    }
    // The tree goes first: its nodes may point at the models.
    root->clearScene();
    return 0;
}
