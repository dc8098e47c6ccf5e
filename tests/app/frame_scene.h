#pragma once

// Header only: a real GL context with the game's shaders, models and
// textures from the run folder, and a small scene of cue spheres in front of
// an identity camera, for tests that draw frames.

#include "animation/animation_player.h"
#include "app/frame_objects.h"
#include "app/loop_state.h"
#include "app/shader_setup.h"
#include "app/window.h"
#include "collection/obj_collection.h"
#include "collection/shader_collection.h"
#include "collection/texure_collection.h"
#include "collection/vbo_collection.h"
#include "model/obj_anim.h"
#include "platform/glfw_compat.h"
#include "render/light.h"
#include "scenegraph/hit_node.h"
#include "scenegraph/root_node.h"
#include "support/gl_context.h"
#include "util/color_counter.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace frametest {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    int sum() const { return r + g + b; }
};

class Picture {
public:
    // Reads the bound frame buffer's colour at size; row 0 is the bottom.
    explicit Picture(int width = kWidth, int height = kHeight)
        : width(width), pixels(static_cast<std::size_t>(width * height * 3)) {
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }
    Rgb at(int x, int y) const {
        const std::size_t i = static_cast<std::size_t>((y * width + x) * 3);
        return {pixels[i], pixels[i + 1], pixels[i + 2]};
    }
    const std::vector<unsigned char>& bytes() const { return pixels; }
    bool operator==(const Picture& other) const { return pixels == other.pixels; }

private:
    int width;
    std::vector<unsigned char> pixels;
};

class FrameTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext(kWidth, kHeight);
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        root = scenegraph::RootNode::getInstance();
        Window* window = root->getWindow();
        window->width = kWidth;
        window->height = kHeight;
        window->changed = true;
        glViewport(0, 0, kWidth, kHeight);
        initShaders();
        universum = new scenegraph::TransformationNode("universum", "TransformationNode");
        root->addChild(universum);
        objects.pickingTarget = PassTarget{0, kWidth, kHeight, kPickingFactor};
        loop.renderFlags = onlyFlags({FullRender});
        platform::useScriptedInput(&input);
    }

    void TearDown() override {
        platform::useScriptedInput(nullptr);
        scenegraph::RootNode::destroyInstance();
        collection::VBOCollection::destroyInstance();
        collection::ObjCollection::destroyInstance();
        collection::TexureCollection::destroyInstance();
        collection::ShaderCollection::destroyInstance();
        animation::AnimationPlayer::destroyInstance();
        util::ColorCounter::destroyInstance();
        Light::destroyInstance();
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vertexArray);
        std::filesystem::current_path(previousDir);
    }

    static RenderFlags onlyFlags(std::initializer_list<RenderFlag> on) {
        RenderFlags flags{};
        for (RenderFlag flag : on) {
            flags[flag] = true;
        }
        return flags;
    }

    // A rusty cue sphere at place, wrapped in a HitNode under "universum".
    scenegraph::HitNode* addCue(const std::string& name, glm::vec3 place, int drawMode = 0) {
        ObjAnim* sphere = collection::VBOCollection::getInstance()->createAnimModel(
            "Models/ani_sphere.obj", "Sprites/sphere_rusty.tga", 2);
        sphere->setPosition(place);
        sphere->setDrawMode(drawMode);
        auto* cue = new scenegraph::HitNode(name, sphere);
        universum->addChild(cue);
        root->update(0.0);
        return cue;
    }

    // Where a point in view space lands in window pixels, origin top left as
    // the mouse counts.
    static glm::ivec2 mouseAt(glm::vec3 place) {
        const glm::mat4 projection = scenegraph::RootNode::getInstance()->getWindow()->getProjMat();
        const glm::vec4 clip = projection * glm::vec4(place, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        return {static_cast<int>((ndc.x + 1.0f) * 0.5f * kWidth),
                static_cast<int>((1.0f - ndc.y) * 0.5f * kHeight)};
    }

    void moveMouse(glm::ivec2 mouse) {
        input.mouseX = mouse.x;
        input.mouseY = mouse.y;
        loop.mouseX = mouse.x;
        loop.mouseY = mouse.y;
    }

    void setButton(int down) { input.buttons[GLFW_MOUSE_BUTTON_LEFT] = down; }

    scenegraph::RootNode* root = nullptr;
    scenegraph::TransformationNode* universum = nullptr; // owned by the root
    FrameObjects objects;
    LoopState loop;
    platform::InputState input;
    GLuint vertexArray = 0;
    std::filesystem::path previousDir;
};

} // namespace frametest
