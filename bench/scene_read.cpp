// Reading a scene file whose root node holds many objects side by side, as a
// player's large level would: the root's "Node" header lists every child, and
// each child is an "ObjectNode" with its geometry. The models are bare, so the
// figures are the reading alone.

#include "model/obj.h"
#include "scenegraph/root_node.h"
#include "scenegraph/scene_reader.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kIdentity = "[1|0|0|0][0|1|0|0][0|0|1|0][0|0|0|1]";

std::string transnode(const std::string& name, const std::string& inner) {
    return "<Transnode " + name + " :\nlocalmodelMat: " + kIdentity + "\n>\n" + inner +
           "</Transnode " + name + " :\n";
}

std::string node(const std::string& name, int children, const std::string& inner) {
    std::string text =
        "<Node " + name + " :\nstatus: 1\nchildren: " + std::to_string(children) + "\n";
    for (int i = 0; i < children; ++i) {
        text += "child" + std::to_string(i) + ": ObjectNode\n";
    }
    return text + ">\n" + inner + "</Node " + name + " :\n";
}

std::string object(int index) {
    const std::string name = std::to_string(index).insert(0, 1, 'o');
    return "<ObjectNode " + name + " :\nmodelMatrix: " + kIdentity + "\n>\n" + node(name, 0, "") +
           "<GeomObj " + name + " :\nobjpath: Models/sphere.obj\ntexturepath: Sprites/a.tga\n>\n" +
           transnode("m" + name, node("m" + name, 0, "")) + "</GeomObj " + name +
           " :\n</ObjectNode " + name + " :\n";
}

std::string wideScene(int objects) {
    std::string children;
    for (int i = 0; i < objects; ++i) {
        children += object(i);
    }
    return "<RootNode bench :\ncameras: 0\n>\n" +
           transnode("root", node("root", objects, children)) + "</RootNode bench :\n";
}

void BM_ReadWideScene(benchmark::State& state) {
    const scenegraph::SceneLines lines =
        scenegraph::splitSceneLines(wideScene(static_cast<int>(state.range(0))));
    auto* root = scenegraph::RootNode::getInstance();
    int nodes = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<model::OBJ>> models;
        scenegraph::readScene(*root, lines, "bench.scene",
                              [&models](const std::string&, const std::string&) {
                                  models.push_back(std::make_unique<model::OBJ>(nullptr));
                                  return models.back().get();
                              });
        nodes = root->getChildCount(true);
        // The tree goes first: its nodes point at the models.
        root->clearScene();
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["nodes"] = nodes;
}
BENCHMARK(BM_ReadWideScene)->Arg(200)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
