#include "scenegraph/scene_reader.h"

#include "app/window.h"
#include "collection/vbo_collection.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"
#include "scenegraph/scene_blocks.h"
#include "scenegraph/scene_keys.h"
#include "view/global_view_plane_move_camera.h"
#include "view/space_ship_camera.h"
#include "view/third_person_race_camera.h"

#include <array>
#include <iostream>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

namespace scenegraph {

namespace {

// On one line the classes are tried in this order.
constexpr std::array<std::string_view, 3> kCameraClasses = {
    "GlobalViewPlaneMoveCamera", "ThirdPersonRaceCamera", "SpaceShipCamera"};

view::Cam* makeCamera(std::string_view cameraClass) {
    if (cameraClass == kCameraClasses[0]) {
        return new view::GlobalViewPlaneMoveCamera();
    }
    if (cameraClass == kCameraClasses[1]) {
        return new view::ThirdPersonRaceCamera();
    }
    return new view::SpaceShipCamera();
}

// The first line naming a camera class decides, header or not.
std::optional<std::string_view> cameraClassOf(const SceneLines& block) {
    for (const std::string& line : block) {
        for (std::string_view cameraClass : kCameraClasses) {
            if (line.find(cameraClass) != std::string::npos) {
                return cameraClass;
            }
        }
    }
    return std::nullopt;
}

void readWindowKeys(const SceneKeys& keys, Window& window) {
    keys.read("mode", window.mode);
    keys.read("width", window.width);
    keys.read("height", window.height);
    keys.read("changed", window.changed);
    keys.read("winOpen", window.winOpen);
    keys.read("projmat", window.projmat);
}

void readCameraKeys(const SceneKeys& keys, CameraNode& camera) {
    keys.read("mouseX_old", camera.mouseX_old);
    keys.read("mouseY_old", camera.mouseY_old);
    keys.read("count", camera.count);
}

// Reads the root's own blocks from its "RootNode" block.
class RootReader {
public:
    RootReader(RootNode& root, SceneNodeReader& reader, SceneLines rootBlock)
        : root(root), reader(reader), rootBlock(std::move(rootBlock)) {}

    void read() {
        const SceneKeys keys(headerOf(rootBlock.lines()));
        int cameraCount = 0;
        std::string activeCamName;
        keys.read("cameras", cameraCount);
        keys.read("active cam", activeCamName);
        readWindow();
        for (int i = 0; i < cameraCount; ++i) {
            if (!readCamera(i, cameraCount)) {
                break;
            }
        }
        root.setActiveCamera(activeCamName);
        reader.readTransnode(rootBlock, root, "the root");
    }

private:
    // Without a usable "Window" block the root keeps no record, so the next
    // getWindow makes one with the initial values.
    void readWindow() {
        const std::optional<SceneLines> block = reader.copyNamedBlock(
            rootBlock.lines(), "Window", "the window record", "initial values kept");
        if (!block) {
            return;
        }
        auto* window = new (std::nothrow) Window();
        if (window == nullptr) {
            return;
        }
        readWindowKeys(SceneKeys(headerOf(*block)), *window);
        root.setWindow(window);
    }

    // False when no "CameraNode" block is left, so a count larger than the
    // blocks in the file ends the reading of cameras.
    bool readCamera(int index, int count) {
        const std::string owner =
            "camera " + std::to_string(index + 1) + " of " + std::to_string(count);
        if (!rootBlock.find("CameraNode")) {
            reader.report(owner, "no \"CameraNode\" block", "no more cameras read");
            return false;
        }
        const std::optional<SceneLines> block =
            reader.takeNamedBlock(rootBlock, "CameraNode", owner);
        if (!block) {
            return true;
        }
        const std::optional<std::string_view> cameraClass = cameraClassOf(*block);
        if (!cameraClass) {
            reader.report(owner, "\"CameraNode\" block \"" + blockName(block->front()) +
                                     "\" names no camera class");
            return true;
        }
        auto* camera = new CameraNode(blockName(block->front()), makeCamera(*cameraClass));
        readCameraKeys(SceneKeys(headerOf(*block)), *camera);
        root.addCamera(camera);
        return true;
    }

    RootNode& root;
    SceneNodeReader& reader;
    BlockList rootBlock; // blocks are taken out of it as they are read
};

} // namespace

model::OBJ* collectionGeometry(const std::string& objPath, const std::string& texturePath) {
    return collection::VBOCollection::getInstance()->createModel(objPath, texturePath);
}

void readScene(RootNode& root, const SceneLines& lines, const std::string& source,
               const GeometryFactory& makeGeometry) {
    SceneNodeReader reader(source, makeGeometry, sceneReadBudget(lines.size()),
                           sceneLineBudget(lines.size()));
    std::optional<SceneLines> rootBlock =
        reader.copyNamedBlock(lines, "RootNode", "the scene", "scene left as it was");
    if (!rootBlock) {
        return;
    }
    root.clearScene();
    root.name = blockName(rootBlock->front());
    RootReader(root, reader, std::move(*rootBlock)).read();
}

void loadScene(const std::string& path, const GeometryFactory& makeGeometry) {
    SceneLines lines;
    if (!readSceneLines(path, lines)) {
        std::cerr << path << ": cannot be opened, so there is no \"RootNode\" block - scene left "
                  << "as it was" << std::endl;
        return;
    }
    readScene(*RootNode::getInstance(), lines, path, makeGeometry);
}

} // namespace scenegraph
