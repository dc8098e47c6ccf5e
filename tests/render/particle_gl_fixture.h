#pragma once

// Header only: the working folder, programs and helpers shared by the
// particle GL tests.

#include "app/window.h"
#include "collection/obj_collection.h"
#include "collection/shader_collection.h"
#include "collection/texure_collection.h"
#include "collection/vbo_collection.h"
#include "render/framebuffer_object.h"
#include "render/light.h"
#include "render/particle_manager.h"
#include "render/particle_system.h"
#include "scenegraph/root_node.h"
#include "support/gl_context.h"
#include "support/test_shaders.h"
#include "support/tga_writer.h"
#include "util/random.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace particletest {

constexpr int kLightId = 2;
constexpr int kPsId = 3;
constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr const char* kSheet = "Sprites/sheet.tga";

// A 2 x 2 sheet of 16-pixel cells, each a soft white disc on transparency.
inline std::string discSheet() {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float dx = static_cast<float>(x % 16) - 7.5f;
            const float dy = static_cast<float>(y % 16) - 7.5f;
            const float r = std::sqrt(dx * dx + dy * dy) / 7.5f;
            const auto alpha = static_cast<std::uint8_t>(r < 1.0f ? 255.0f * (1.0f - r) : 0.0f);
            pixels.insert(pixels.end(), {255, 255, 255, alpha});
        }
    }
    return testfiles::tgaImage(32, 32, 4, pixels);
}

// An octahedron of radius 1 with outward normals: enough of a sphere to see
// whether the impostor frame was drawn.
constexpr const char* kOctahedron =
    "v 1 0 0\nv -1 0 0\nv 0 1 0\nv 0 -1 0\nv 0 0 1\nv 0 0 -1\n"
    "vt 0.5 0.5\n"
    "vn 1 0 0\nvn -1 0 0\nvn 0 1 0\nvn 0 -1 0\nvn 0 0 1\nvn 0 0 -1\n"
    "f 1/1/1 3/1/3 5/1/5\nf 3/1/3 2/1/2 5/1/5\n"
    "f 2/1/2 4/1/4 5/1/5\nf 4/1/4 1/1/1 5/1/5\n"
    "f 3/1/3 1/1/1 6/1/6\nf 2/1/2 3/1/3 6/1/6\n"
    "f 4/1/4 2/1/2 6/1/6\nf 1/1/1 4/1/4 6/1/6\n";

// The game's "ps" and "light" programs under their ids, a sprite sheet and the
// impostor's model and texture in a scratch working folder, and a root whose
// window has the size of the render target.
class ParticleGLTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext(kWidth, kHeight);
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        folder.copyGameShaders({"ps.vert", "ps.geom", "ps.frag", "light.vert", "light.frag"});
        folder.dir.write(kSheet, discSheet());
        folder.dir.write(ParticleSystem::kImpostorModelPath, kOctahedron);
        folder.dir.write(ParticleSystem::kImpostorTexturePath,
                         testfiles::tgaImage(2, 2, 3, std::vector<std::uint8_t>(12, 200)));
        auto* shaders = collection::ShaderCollection::getInstance();
        testing::internal::CaptureStdout();
        shaders->addProgram(kLightId, "light");
        shaders->addProgram(kPsId, "ps");
        shaders->locateVariables();
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(program()->isLinked());
        ASSERT_TRUE(shaders->getProgram(kLightId)->isLinked());
        // The cube sampler may not share unit 0 with the 2D samplers.
        const GLuint light = shaders->getProgram(kLightId)->getProgramId();
        glUseProgram(light);
        glUniform1i(glGetUniformLocation(light, "envMap"), 1);
        glUseProgram(0);
        Window* window = scenegraph::RootNode::getInstance()->getWindow();
        window->width = kWidth;
        window->height = kHeight;
        util::resetGameRandom();
        testing::internal::CaptureStdout();
        target = std::make_unique<FramebufferObject>(kWidth, kHeight, 1, false, false);
        testing::internal::GetCapturedStdout();
    }

    void TearDown() override {
        testing::internal::CaptureStdout();
        systems.clear();
        target.reset();
        testing::internal::GetCapturedStdout();
        ParticleManager::destroyInstance();
        collection::VBOCollection::destroyInstance();
        collection::ObjCollection::destroyInstance();
        collection::TexureCollection::destroyInstance();
        collection::ShaderCollection::destroyInstance();
        scenegraph::RootNode::destroyInstance();
        Light::destroyInstance();
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vertexArray);
    }

    ShaderProgram* program() const {
        return collection::ShaderCollection::getInstance()->getProgram(kPsId);
    }

    // Built here and destroyed (quietly) by TearDown.
    ParticleSystem* make(int pass, int count, const std::string& texture, int kind,
                         glm::vec3 position) {
        systems.push_back(std::make_unique<ParticleSystem>(pass, count, texture, kind, position));
        return systems.back().get();
    }

    // Clears the target to the background colour and draws the manager's
    // given pass with the frame's state for it: pass 0 opaque with depth
    // test, pass 1 additive without.
    std::vector<std::uint8_t> renderPass(int pass, glm::vec3 background) {
        glBindFramebuffer(GL_FRAMEBUFFER, target->getFboId());
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(background.r, background.g, background.b, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_BLEND);
        if (pass == 1) {
            glDisable(GL_DEPTH_TEST);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        } else {
            glEnable(GL_DEPTH_TEST);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        }
        ParticleManager::getInstance()->draw(&view, &projection, program(), pass,
                                             scenegraph::FILTER_BILINEAR,
                                             scenegraph::MIPMAP_LINEAR);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth * kHeight * 4));
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return pixels;
    }

    // The game's projection, seen from the origin down -z.
    glm::mat4 view = glm::mat4(1.0f);
    glm::mat4 projection = glm::perspective(glm::radians(20.0f), 4.0f / 3.0f, 1.0f, 3.0f);
    testfiles::WorkingFolder folder;
    std::unique_ptr<FramebufferObject> target;
    std::vector<std::unique_ptr<ParticleSystem>> systems;
    GLuint vertexArray = 0;
};

// Pixels that differ from the cleared background by more than a rounding step.
inline int changedPixels(const std::vector<std::uint8_t>& pixels, glm::vec3 background) {
    int changed = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        for (int c = 0; c < 3; ++c) {
            if (std::abs(static_cast<int>(pixels[i + c]) -
                         static_cast<int>(std::lround(background[c] * 255.0f))) > 2) {
                ++changed;
                break;
            }
        }
    }
    return changed;
}

} // namespace particletest
