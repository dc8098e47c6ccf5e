#include "app/frame_scene.h"
#include "app/frame_values.h"
#include "app/passes/crosshair_pass.h"
#include "app/passes/full_render_pass.h"
#include "app/special_nodes.h"
#include "collection/shader_collection.h"
#include "model/light_looks.h"
#include "scenegraph/object_node.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace frametest {
namespace {

const glm::vec3 kCuePlace(0.0f, 0.0f, -20.0f);

class FrameImageTest : public FrameTest {
protected:
    // Draws what the full render draws, without presenting it, and reads it.
    Picture drawWorld() {
        const FrameValues values = computeFrameValues(*root, loop.renderFlags);
        drawLitWorld(values, objects);
        if (values.switches[Crosshair]) {
            drawCrosshair(values, objects.nodes, loop.mouseX, loop.mouseY);
        }
        return Picture();
    }

    // Mean colour of the pixels within radius of the centre, on one side of it
    // (side -1 left, +1 right, 0 both).
    static glm::vec3 meanColour(const Picture& picture, glm::ivec2 centre, int radius,
                                int side = 0) {
        glm::vec3 sum(0.0f);
        int count = 0;
        for (int y = centre.y - radius; y <= centre.y + radius; ++y) {
            for (int x = centre.x - radius; x <= centre.x + radius; ++x) {
                const int dx = x - centre.x;
                const int dy = y - centre.y;
                if (dx * dx + dy * dy > radius * radius || dx * side < 0) {
                    continue;
                }
                const Rgb c = picture.at(x, y);
                sum += glm::vec3(c.r, c.g, c.b);
                ++count;
            }
        }
        return sum / static_cast<float>(count);
    }

    // Screen centre of the cue in GL pixel rows (bottom up).
    static glm::ivec2 cueCentre() {
        const glm::ivec2 mouse = mouseAt(kCuePlace);
        return {mouse.x, kHeight - 1 - mouse.y};
    }

    static float brightness(glm::vec3 c) { return c.r + c.g + c.b; }

    glm::vec3 cueColour(int drawMode) {
        ObjAnim* sphere = dynamic_cast<ObjAnim*>(cue->getGeomObj());
        sphere->setDrawMode(drawMode);
        return meanColour(drawWorld(), cueCentre(), 20);
    }

    void addLitCue() {
        // A morphing cue takes its lights from the plain models drawn before
        // it, as in the game's world; this one lies behind the camera.
        model::OBJ* before = collection::VBOCollection::getInstance()->createModel(
            "Models/asteroid.obj", "Sprites/asteroid_rock.tga");
        before->setPosition(glm::vec3(0.0f, 0.0f, 50.0f));
        universum->addChild(new scenegraph::ObjectNode("before", "ObjectNode", before));
        cue = addCue("cue", kCuePlace);
        // The main light sits to the left of the cue and in front of it.
        Light::getInstance()->update(glm::vec3(-40.0f, 10.0f, 0.0f), 0.0);
    }

    scenegraph::HitNode* cue = nullptr;
};

TEST_F(FrameImageTest, ACueIsLitFromTheLightsSideAndTextured) {
    addLitCue();
    const glm::ivec2 centre = cueCentre();
    // The same cue lit from the left, then from the right: each side is
    // brighter while the light is on its side.
    const Picture fromLeft = drawWorld();
    Light::getInstance()->update(glm::vec3(40.0f, 10.0f, 0.0f), 0.0);
    const Picture fromRight = drawWorld();
    for (int side : {-1, 1}) {
        const float near =
            brightness(meanColour(side < 0 ? fromLeft : fromRight, centre, 25, side));
        const float far = brightness(meanColour(side < 0 ? fromRight : fromLeft, centre, 25, side));
        EXPECT_GT(near, 1.5f * far) << "side " << side;
    }
    EXPECT_GT(brightness(meanColour(fromLeft, centre, 25, -1)), 150.0f);
    // A textured surface changes from pixel to pixel; a plain lit sphere only
    // changes slowly with the angle to the light.
    float change = 0.0f;
    int count = 0;
    for (int y = centre.y - 10; y <= centre.y + 10; ++y) {
        for (int x = centre.x - 20; x < centre.x; ++x) {
            change +=
                static_cast<float>(std::abs(fromLeft.at(x + 1, y).sum() - fromLeft.at(x, y).sum()));
            ++count;
        }
    }
    EXPECT_GT(change / static_cast<float>(count), 6.0f);
}

TEST_F(FrameImageTest, EachCueStateHasItsOwnLook) {
    addLitCue();
    const std::array<glm::vec3, 5> looks{cueColour(4), cueColour(6), cueColour(7), cueColour(8),
                                         cueColour(5)};
    const auto& [built, announced, inWindow, missed, impostor] = looks;
    for (std::size_t a = 0; a < looks.size(); ++a) {
        for (std::size_t b = a + 1; b < looks.size(); ++b) {
            const glm::vec3 d = glm::abs(looks[a] - looks[b]);
            EXPECT_GT(d.r + d.g + d.b, 25.0f) << "looks " << a << " and " << b;
        }
    }
    // Announced glows warm, in its window it is bright and cold, missed is dark red.
    EXPECT_GT(brightness(announced), brightness(built));
    EXPECT_GT(announced.r, announced.b + 30.0f);
    EXPECT_GT(brightness(inWindow), brightness(announced));
    EXPECT_GT(inWindow.b, inWindow.r);
    EXPECT_LT(brightness(missed), brightness(built));
    EXPECT_GT(missed.r, missed.g);
    EXPECT_GT(missed.r, missed.b);
}

// Cues morph and draw with the whole world program, so the variants of the
// looks only cues take are not built; a plain model in such a look gets the
// whole program, which draws the same picture.
TEST_F(FrameTest, WorldVariantsAreBuiltForTheLooksPlainModelsTake) {
    const auto* shaders = collection::ShaderCollection::getInstance();
    ShaderProgram* light = programById(LightProgram);
    EXPECT_EQ(shaders->variantsOf(LightProgram).size(), 6u);
    for (const bool normalMap : {false, true}) {
        for (const int plainLook : {0, 4, 5}) {
            EXPECT_NE(shaders->variant(light, model::lightLookKey(plainLook, normalMap)), light)
                << "look " << plainLook;
        }
        for (const int cueLook : {6, 7, 8}) {
            EXPECT_EQ(shaders->variant(light, model::lightLookKey(cueLook, normalMap)), light)
                << "look " << cueLook;
        }
    }
}

TEST_F(FrameImageTest, TheCrosshairSitsWhereTheMouseIs) {
    model::OBJ* model = collection::VBOCollection::getInstance()->createModel(
        "Models/crosshair.obj", "Sprites/marker.tga");
    model->setDrawStatus(0);
    root->addChild(new scenegraph::ObjectNode("crosshair", "ObjectNode", model));
    initSpecialNodes(objects.nodes, *root, loop.currentCamName);
    loop.renderFlags = onlyFlags({FullRender, Crosshair});
    for (glm::ivec2 mouse : {glm::ivec2(80, 60), glm::ivec2(250, 200), glm::ivec2(160, 120)}) {
        moveMouse(mouse);
        const Picture picture = drawWorld();
        glm::ivec2 low(kWidth, kHeight);
        glm::ivec2 high(-1, -1);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (picture.at(x, y).sum() > 600) {
                    low = glm::min(low, glm::ivec2(x, y));
                    high = glm::max(high, glm::ivec2(x, y));
                }
            }
        }
        ASSERT_GE(high.x, 0) << "no crosshair drawn";
        const glm::vec2 centre = glm::vec2(low + high) * 0.5f;
        EXPECT_NEAR(centre.x, mouse.x, 2.0f);
        EXPECT_NEAR(centre.y, kHeight - 1 - mouse.y, 2.0f);
        // Small: a ring, not a screen-filling shape.
        EXPECT_LT(high.x - low.x, 30);
    }
}

GLint boundOnUnit(int unit) {
    glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    return testsupport::glInteger(GL_TEXTURE_BINDING_2D);
}

TEST_F(FrameTest, AModelsSpecularAndNormalLevelsDoNotCarryOverToTheNextModel) {
    model::OBJ* ship = collection::VBOCollection::getInstance()->createModel("Models/spaceship.obj",
                                                                             "Sprites/hull17.tga");
    ASSERT_EQ(ship->nrTexLevels, 3);
    const glm::mat4 view(1.0f);
    const glm::mat4 projection = root->getWindow()->getProjMat();
    ship->draw(&view, &projection, programById(LightProgram), 2, 12);
    for (int unit = 0; unit < 4; ++unit) {
        EXPECT_EQ(boundOnUnit(unit), 0) << "unit " << unit;
    }
}

} // namespace
} // namespace frametest
