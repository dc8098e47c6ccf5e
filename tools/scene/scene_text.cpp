#include "scene/scene_text.h"

#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace scenegen {

namespace {

std::string number(float value) {
    // Rounding noise of the rotations would only clutter the file.
    if (std::fabs(value) < 1e-6f) {
        value = 0.0f;
    }
    // Enough digits to read back the same float: a spin applied every frame
    // must not shrink or grow what it turns.
    std::ostringstream out;
    out << std::setprecision(std::numeric_limits<float>::max_digits10) << value;
    return out.str();
}

std::string matrixText(const glm::mat4& m) {
    std::string text;
    for (int column = 0; column < 4; ++column) {
        text += "[";
        for (int row = 0; row < 4; ++row) {
            text += number(m[column][row]);
            text += row < 3 ? "|" : "]";
        }
    }
    return text;
}

std::string vectorText(const glm::vec3& v) {
    std::string text = "[";
    for (int i = 0; i < 3; ++i) {
        text += number(v[i]);
        text += i < 2 ? "|" : "]";
    }
    return text;
}

const char* typeWord(NodeKind kind) {
    switch (kind) {
    case NodeKind::Disappearing:
        return "DisappearingNode";
    case NodeKind::Object:
        return "ObjectNode";
    case NodeKind::Hit:
        return "HitNode";
    case NodeKind::Transformation:
        break;
    }
    return "TransformationNode";
}

// Writes blocks and refuses what the text search of the reader would get
// wrong.
class BlockWriter {
public:
    void open(const std::string& tag, const std::string& name) {
        if (name.find_first_of(":<>") != std::string::npos || name.empty()) {
            throw std::logic_error("unreadable block name \"" + name + "\"");
        }
        const std::string key = tag + (" " + name + " :").substr(0, 4);
        for (const auto& [openTag, openKey] : openBlocks) {
            if (openTag == tag && openKey == key) {
                throw std::logic_error("\"" + name + "\" would close its enclosing " + tag);
            }
        }
        openBlocks.emplace_back(tag, key);
        closers.push_back("</" + tag + " " + name + " :");
        header = {"<" + tag + " " + name + " :"};
        keys.clear();
    }

    void key(const std::string& name, const std::string& value) {
        header.push_back(name + ": " + value);
        keys.push_back(name);
    }
    // A line that names something without being a key, e.g. a camera class.
    void line(const std::string& text) { header.push_back(text); }

    void endHeader() {
        header.push_back(">");
        for (const std::string& name : keys) {
            checkHeldOnce(name);
        }
        for (const std::string& text : header) {
            out << text << '\n';
        }
    }

    void close() {
        out << closers.back() << '\n';
        closers.pop_back();
        openBlocks.pop_back();
    }

    std::string text() const { return out.str(); }

private:
    // Child keys overlap by design ("child1" in "child10") and the reader
    // takes one entry per line, so only the other keys are checked.
    void checkHeldOnce(const std::string& name) const {
        if (name.rfind("child", 0) == 0 && name != "children") {
            return;
        }
        int holders = 0;
        for (const std::string& text : header) {
            holders += text.find(name) != std::string::npos ? 1 : 0;
        }
        if (holders != 1) {
            throw std::logic_error("key \"" + name + "\" held by " + std::to_string(holders) +
                                   " lines of \"" + header.front() + "\"");
        }
    }

    std::ostringstream out;
    std::vector<std::pair<std::string, std::string>> openBlocks; // tag and closing key
    std::vector<std::string> closers;
    std::vector<std::string> header; // of the block being opened
    std::vector<std::string> keys;   // written into that header
};

class SceneWriter {
public:
    std::string write(const Scene& scene) {
        blocks.open("RootNode", scene.name);
        blocks.key("cameras", std::to_string(scene.cameras.size()));
        blocks.key("active cam", scene.activeCam);
        blocks.endHeader();
        writeWindow(scene);
        for (const Camera& camera : scene.cameras) {
            writeCamera(camera, scene);
        }
        writeTransnode(scene.root, true);
        blocks.close();
        return blocks.text();
    }

private:
    void writeWindow(const Scene& scene) {
        blocks.open("Window", "game window");
        blocks.key("mode", std::to_string(scene.windowMode));
        blocks.key("width", std::to_string(scene.width));
        blocks.key("height", std::to_string(scene.height));
        blocks.key("changed", "true");
        blocks.key("winOpen", "false");
        blocks.key("projmat", matrixText(glm::mat4(1.0f)));
        blocks.endHeader();
        blocks.close();
    }

    void writeCamera(const Camera& camera, const Scene& scene) {
        blocks.open("CameraNode", camera.name);
        blocks.line("class " + camera.cameraClass);
        blocks.key("mouseX_old", std::to_string(scene.width / 2));
        blocks.key("mouseY_old", std::to_string(scene.height / 2));
        blocks.key("count", "0");
        blocks.endHeader();
        blocks.close();
    }

    // The root's Transnode writes every key of the block, documenting them.
    void writeTransnode(const SceneNode& node, bool everyKey) {
        blocks.open("Transnode", node.name);
        blocks.key("localmodelMat", matrixText(node.localmodelMat));
        if (everyKey) {
            blocks.key("globalModelMat", matrixText(node.localmodelMat));
            blocks.key("initialModelMat", matrixText(node.localmodelMat));
            blocks.key("inv_scale", matrixText(glm::mat4(1.0f)));
            blocks.key("scale_value", vectorText(glm::vec3(1.0f)));
        }
        blocks.key("rotMat", matrixText(node.rotMat));
        blocks.key("scaleMat", matrixText(node.scaleMat));
        blocks.endHeader();
        writeNode(node);
        blocks.close();
    }

    void writeNode(const SceneNode& node) {
        blocks.open("Node", node.name);
        blocks.key("status", "1");
        blocks.key("drawStatus", std::to_string(node.drawStatus));
        blocks.key("drawMode", std::to_string(node.drawMode));
        blocks.key("isHit", "false");
        blocks.key("children", std::to_string(node.children.size()));
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            blocks.key("child" + std::to_string(i), typeWord(node.children[i].kind));
        }
        blocks.endHeader();
        for (const SceneNode& child : node.children) {
            writeChild(child);
        }
        blocks.close();
    }

    void writeChild(const SceneNode& node) {
        switch (node.kind) {
        case NodeKind::Transformation:
            writeTransnode(node, false);
            break;
        case NodeKind::Disappearing:
            writeDisappearing(node);
            break;
        case NodeKind::Object:
        case NodeKind::Hit:
            writeObject(node);
            break;
        }
    }

    void writeDisappearing(const SceneNode& node) {
        blocks.open("DisappearingNode", node.name);
        blocks.key("startTime", "-1");
        blocks.key("timeLimit", "0");
        blocks.key("onHit", "false");
        for (const char* key : {"x_value", "y_value", "z_value", "dist"}) {
            blocks.key(key, "-999.9");
        }
        for (const char* key : {"x_smaller", "y_smaller", "z_smaller"}) {
            blocks.key(key, "false");
        }
        blocks.endHeader();
        writeTransnode(node, false);
        blocks.close();
    }

    // The object's own Node block comes before the geometry, whose Transnode
    // holds a Node block of its own.
    void writeObject(const SceneNode& node) {
        const char* tag = node.kind == NodeKind::Hit ? "HitNode" : "ObjectNode";
        blocks.open(tag, node.name);
        blocks.key("modelMatrix", matrixText(glm::mat4(1.0f)));
        if (node.kind == NodeKind::Hit) {
            blocks.key("hitable", "true");
        }
        blocks.endHeader();
        writeNode(node);
        blocks.open("GeomObj", node.name);
        blocks.key("objpath", node.geometry.objPath);
        blocks.key("texturepath", node.geometry.texturePath);
        blocks.endHeader();
        SceneNode mesh;
        mesh.name = "mesh " + node.name;
        mesh.scaleMat = node.geometry.scaleMat;
        mesh.localmodelMat = node.geometry.scaleMat;
        mesh.drawStatus = node.geometry.drawStatus;
        mesh.drawMode = node.drawMode;
        writeTransnode(mesh, false);
        blocks.close();
        blocks.close();
    }

    BlockWriter blocks;
};

} // namespace

std::string sceneText(const Scene& scene) {
    return SceneWriter().write(scene);
}

} // namespace scenegen
