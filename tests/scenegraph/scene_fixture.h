#pragma once

#include "model/obj.h"
#include "scenegraph/root_node.h"
#include "scenegraph/scene_lines.h"
#include "scenegraph/scene_reader.h"
#include "util/color_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// Scene reading without a GL context: geometries are bare models the store
// keeps, with the two paths each was asked for.
class ModelStore {
public:
    struct Request {
        std::string objPath;
        std::string texturePath;
        model::OBJ* model;
    };

    scenegraph::GeometryFactory factory() {
        return [this](const std::string& objPath, const std::string& texturePath) {
            models.push_back(std::make_unique<model::OBJ>(nullptr));
            requests.push_back({objPath, texturePath, models.back().get()});
            return models.back().get();
        };
    }

    std::vector<Request> requests; // in the order the reader asked
    std::vector<std::unique_ptr<model::OBJ>> models;
};

// A fresh root and colour sequence for every test; the scene is read from
// text written like a file.
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override { freshSingletons(); }
    void TearDown() override { freshSingletons(); }

    static void freshSingletons() {
        scenegraph::RootNode::destroyInstance();
        util::ColorCounter::destroyInstance();
    }

    scenegraph::RootNode& root() { return *scenegraph::RootNode::getInstance(); }

    void read(const std::string& text) {
        scenegraph::readScene(root(), scenegraph::splitSceneLines(text), "test.scene",
                              store.factory());
    }

    // Reads and returns what went to the error stream.
    std::string readWithErrors(const std::string& text) {
        testing::internal::CaptureStderr();
        read(text);
        return testing::internal::GetCapturedStderr();
    }

    ModelStore store;
};

inline int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

inline bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The blocks around a tree below the root: a window, one camera and the
// root's own Transnode and Node, whose header lists the children.
inline std::string sceneAround(const std::string& rootChildren, const std::string& childBlocks) {
    return "<RootNode scene :\n"
           "cameras: 1\n"
           "active cam: main cam\n"
           ">\n"
           "<Window win :\n"
           "mode: 65537\nwidth: 800\nheight: 600\nchanged: true\nwinOpen: false\n>\n"
           "</Window win :\n"
           "<CameraNode main cam :\n"
           "GlobalViewPlaneMoveCamera\n"
           "mouseX_old: 400\nmouseY_old: 300\ncount: 0\n>\n"
           "</CameraNode main cam :\n"
           "<Transnode root :\n"
           "localmodelMat: [1|0|0|0][0|1|0|0][0|0|1|0][0|0|0|1]\n>\n"
           "<Node root :\n"
           "status: 1\ndrawStatus: 1\ndrawMode: 0\nisHit: false\n" +
           rootChildren + ">\n" + childBlocks +
           "</Node root :\n"
           "</Transnode root :\n"
           "</RootNode scene :\n";
}

// A TransformationNode's two blocks without children.
inline std::string transformBlocks(const std::string& name) {
    return "<Transnode " + name + " :\n>\n<Node " + name +
           " :\nstatus: 1\nchildren: 0\n>\n</Node " + name + " :\n</Transnode " + name + " :\n";
}

// An ObjectNode's or HitNode's blocks: its own Node block, then the geometry.
inline std::string objectBlocks(const std::string& tag, const std::string& name,
                                const std::string& header) {
    return "<" + tag + " " + name + " :\n" + header + ">\n<Node " + name +
           " :\nchildren: 0\n>\n</Node " + name + " :\n<GeomObj " + name +
           " geom :\nobjpath: Models/" + name + ".obj\ntexturepath: Sprites/" + name + ".tga\n>\n" +
           transformBlocks("mesh " + name) + "</GeomObj " + name + " geom :\n</" + tag + " " +
           name + " :\n";
}
