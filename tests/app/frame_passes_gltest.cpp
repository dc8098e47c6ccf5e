#include "app/frame_passes.h"
#include "app/frame_scene.h"
#include "app/frame_values.h"
#include "app/passes/bloom_pass.h"
#include "app/passes/light_shaft_pass.h"
#include "app/passes/motion_blur_pass.h"
#include "app/passes/overlay_pass.h"
#include "render/particle_manager.h"
#include "render/particle_records.h"
#include "render/particle_system.h"
#include "render/text_pass.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/object_node.h"
#include "view/global_view_plane_move_camera.h"

#include <sstream>

namespace frametest {
namespace {

// The game's clear colour; the passes clear with whatever is set.
void restoreGameClearColour() {
    glClearColor(0.05f, 0.02f, 0.03f, 0.0f);
}

// Fills a rectangle (x, y from the bottom left) of the bound target.
void fillRect(int x, int y, int width, int height, glm::vec3 colour) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, width, height);
    glClearColor(colour.r, colour.g, colour.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    restoreGameClearColour();
}

void clearTo(glm::vec3 colour) {
    glClearColor(colour.r, colour.g, colour.b, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    restoreGameClearColour();
}

void bindBuffer(const FramebufferObject& fbo) {
    glBindFramebuffer(GL_FRAMEBUFFER, fbo.getFboId());
    glViewport(0, 0, fbo.reducedWidth(), fbo.reducedHeight());
}

void bindScreen() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, kWidth, kHeight);
}

// The frame test's scene and programs, the effect buffers for its window,
// and the effect plane and the moon at the root, seen by an identity camera.
class EffectsTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        glEnable(GL_CULL_FACE);
        restoreGameClearColour();
        testing::internal::CaptureStdout();
        createEffectObjects(effects, kWidth, kHeight);
        testing::internal::GetCapturedStdout();
        createTextOverlays();
        nodes.plane = addModel("planenode", "Models/plane.obj", "Sprites/metal18.tga");
        nodes.moon = addModel("moonnode", "Models/moon.obj", "Sprites/moon.tga");
        values.projection = glm::perspective(glm::radians(20.0f), 1.0f, 1.0f, 3.0f);
        values.width = kWidth;
        values.height = kHeight;
        values.filter = root->textureFilterMode;
        values.mipmap = root->mipmapMode;
    }

    void TearDown() override {
        testing::internal::CaptureStdout();
        destroyEffectObjects(effects);
        testing::internal::GetCapturedStdout();
        releaseTextOverlays();
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glEnable(GL_BLEND);
        FrameTest::TearDown();
    }

    model::OBJ* addModel(const std::string& name, const std::string& obj,
                         const std::string& texture) {
        model::OBJ* model = collection::VBOCollection::getInstance()->createModel(obj, texture);
        model->setDrawStatus(0);
        root->addChild(new scenegraph::ObjectNode(name, "ObjectNode", model));
        root->update(0.0);
        return model;
    }

    // The picture a full render would have left in the scene buffer: black,
    // a white square at the centre and a dim grey patch in the lower left.
    void paintScene() {
        bindBuffer(*effects.buffers->sceneFbo);
        clearTo(glm::vec3(0.0f));
        fillRect(148, 108, 24, 24, glm::vec3(1.0f));
        fillRect(20, 20, 40, 40, glm::vec3(0.3f));
        bindScreen();
    }

    Picture bloomedScreen() {
        paintScene();
        runBloomPass(values, effects, nodes);
        return Picture();
    }

    // The screen with a white vertical bar, and the occlusion depth at the
    // far end everywhere (the background).
    void paintBarAndFarDepth() {
        bindBuffer(*effects.buffers->lightshaftFbo);
        clearTo(glm::vec3(0.0f));
        bindScreen();
        clearTo(glm::vec3(0.0f));
        fillRect(150, 0, 20, kHeight, glm::vec3(1.0f));
    }

    // The camera turned by degrees about the vertical since the last frame.
    void turnCamera(float degrees) {
        effects.motionBlur.viewMatOld = glm::mat4(1.0f);
        values.view = glm::rotate(glm::mat4(1.0f), glm::radians(degrees), glm::vec3(0, 1, 0));
    }

    // Motion blur after the camera turned by degrees about the vertical. What
    // it prints is the frame check's, which compares every line a frame prints.
    Picture blurredAfterTurn(float degrees) {
        paintBarAndFarDepth();
        turnCamera(degrees);
        std::ostringstream out;
        runMotionBlurPass(values, effects, nodes, false, nullptr, out);
        return Picture();
    }

    // The screen after the occlusion and light shaft passes for a light.
    Picture shaftsFrom(glm::vec3 light) {
        runOcclusionPass(values, effects, nodes, debris, light);
        clearTo(glm::vec3(0.0f));
        runLightShaftPass(values, effects, nodes, light);
        return Picture();
    }

    // A light that the identity camera sees at the screen's centre.
    const glm::vec3 lightAhead = glm::vec3(0.0f, 0.0f, -60.0f);

    SpecialNodes& nodes = objects.nodes;
    DebrisPass& debris = objects.debris;
    EffectObjects& effects = objects.effects;
    FrameValues values;
};

TEST_F(EffectsTest, BloomAddsAGlowAroundBrightPartsAndKeepsTheRest) {
    const Picture screen = bloomedScreen();
    bindBuffer(*effects.buffers->sceneFbo);
    const Picture scene;
    bindScreen();

    // The bright square stays white and lights up the dark pixels around it.
    EXPECT_GE(screen.at(160, 120).sum(), 3 * 250);
    for (glm::ivec2 beside : {glm::ivec2(180, 120), glm::ivec2(140, 120), glm::ivec2(160, 140)}) {
        EXPECT_EQ(scene.at(beside.x, beside.y).sum(), 0);
        EXPECT_GT(screen.at(beside.x, beside.y).sum(), 3 * 25) << beside.x << "," << beside.y;
    }
    // Dark stays dark and dim stays as it was: the glow adds only near light.
    EXPECT_LE(screen.at(300, 220).sum(), 3);
    EXPECT_NEAR(screen.at(40, 40).r, 77, 3);
    EXPECT_NEAR(screen.at(40, 40).b, 77, 3);
    // Blending state is back to the default.
    EXPECT_EQ(testsupport::glInteger(GL_BLEND_SRC_RGB), GL_SRC_ALPHA);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // Nothing is kept from earlier frames in the blur stages.
    for (const auto* stage : {&effects.buffers->bloomFboA, &effects.buffers->bloomFboB}) {
        bindBuffer(**stage);
        clearTo(glm::vec3(1.0f, 0.0f, 0.0f));
    }
    bindScreen();
    EXPECT_TRUE(bloomedScreen() == screen);
}

// Transparency (F9) and wireframe (F3) hold for the effect plane as for the
// scene: no blending shows the scene without its glow, and in wireframe the
// plane covers only its edges.
TEST_F(EffectsTest, TransparencyAndWireframeReachTheBloomComposite) {
    glDisable(GL_BLEND);
    const Picture opaque = bloomedScreen();
    EXPECT_EQ(opaque.at(180, 120).sum(), 0);
    EXPECT_NEAR(opaque.at(40, 40).r, 77, 3);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glEnable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    const Picture outline = bloomedScreen();
    EXPECT_LT(outline.at(40, 40).r, 40);
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);
    EXPECT_EQ(mode[0], GL_LINE);
}

// A still camera and a camera cut (a quarter turn) are not smeared.
TEST_F(EffectsTest, MotionBlurLeavesAStillFrameAndACameraCutExactlyAsTheyWere) {
    for (float degrees : {0.0f, 90.0f}) {
        SCOPED_TRACE(degrees);
        paintBarAndFarDepth();
        const Picture before;
        EXPECT_TRUE(blurredAfterTurn(degrees) == before);
    }
}

TEST_F(EffectsTest, MotionBlurSmearsAlongTheTurnAndHandsThePassItsMatrices) {
    const Picture blurred = blurredAfterTurn(1.5f);
    // Beside the bar, on both sides, the bar's light spreads sideways...
    EXPECT_GT(blurred.at(173, 120).sum(), 3 * 25);
    EXPECT_GT(blurred.at(146, 120).sum(), 3 * 25);
    EXPECT_GT(blurred.at(160, 120).sum(), 3 * 150);
    // ...but not far away.
    EXPECT_EQ(blurred.at(60, 120).sum(), 0);
    EXPECT_EQ(blurred.at(260, 30).sum(), 0);
    const glm::mat4& p = values.projection;
    // The matrices went to the program and the view is kept for next time.
    ShaderProgram* mblur = programById(MblurProgram);
    glm::mat4 inverseProjection(0.0f);
    glGetUniformfv(mblur->getProgramId(), mblur->getUniformLocation("invProjMat"),
                   &inverseProjection[0][0]);
    EXPECT_NEAR(inverseProjection[0][0], 1.0f / p[0][0], 1e-5f);
    EXPECT_NEAR(inverseProjection[3][2], 1.0f / p[3][2], 1e-5f); // arrives transposed
    EXPECT_NEAR(inverseProjection[2][3], -1.0f, 1e-5f);
    EXPECT_EQ(effects.motionBlur.viewMatOld, values.view);
}

// The occlusion pass draws the moon at the light, then switches it off again.
TEST_F(EffectsTest, LightShaftsShineFromTheMoonAndFadeOutwardButNotFromBehindTheCamera) {
    const Picture shafts = shaftsFrom(lightAhead);
    EXPECT_EQ(glm::vec3(nodes.moon->globalModelMat[3]), lightAhead);
    EXPECT_EQ(nodes.moon->getDrawStatus(), 0);
    EXPECT_EQ(nodes.moon->getDrawMode(), 0);
    const int centre = shafts.at(160, 120).sum();
    const int near = shafts.at(160 + 30, 120).sum();
    const int far = shafts.at(160 + 100, 120).sum();
    EXPECT_GT(centre, 3 * 150);
    EXPECT_GT(near, 3 * 10);
    EXPECT_GT(centre, near);
    EXPECT_GT(near, far);
    const Picture behind = shaftsFrom(glm::vec3(0.0f, 0.0f, 60.0f));
    EXPECT_EQ(behind.at(160, 120).sum(), 0);
    EXPECT_EQ(behind.at(10, 10).sum(), 0);
}

TEST_F(EffectsTest, AnIncompleteBufferSkipsItsEffectAndIsReportedOnce) {
    testing::internal::CaptureStdout();
    destroyEffectObjects(effects);
    // An eighth of a 4-pixel window is no picture at all.
    createEffectObjects(effects, 4, 4);
    testing::internal::GetCapturedStdout();
    bindScreen();
    clearTo(glm::vec3(0.2f));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(captureSceneForBloom(effects));
    runBloomPass(values, effects, nodes);
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(report, "BLOOM skipped: its frame buffer is incomplete\n");
    EXPECT_EQ(testsupport::glInteger(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_EQ(Picture().at(160, 120).sum(), 3 * 51);
    glGetError(); // zero-sized images leave an error behind; it is not the next test's
}

// Whole frames through renderFrame under combinations of the switches, with
// the crosshair as the bright object in the middle of the window.
class EffectFramesTest : public EffectsTest {
protected:
    void SetUp() override {
        EffectsTest::SetUp();
        initSpecialNodesForEffects();
        moveMouse({kWidth / 2, kHeight / 2});
        placeLight(glm::vec3(0.0f, 0.0f, 60.0f)); // behind the camera unless a test moves it
    }

    // The crosshair model at the root, at the size a click pulses it to:
    // its lines are then thick enough to glow in this small window.
    void initSpecialNodesForEffects() {
        nodes.crosshair = addModel("crosshair", "Models/crosshair.obj", "Sprites/metal18.tga");
        nodes.crosshair->scaleMat = glm::scale(glm::mat4(1.0f), glm::vec3(0.1f, 0.1f, 0.0f));
    }

    void placeLight(glm::vec3 position) {
        loop.lightPosition = position;
        Light::getInstance()->update(position, 0.0);
    }

    // Draws and presents one frame and reads what was presented.
    Picture frameWith(std::initializer_list<RenderFlag> on) {
        loop.renderFlags = onlyFlags(on);
        renderFrame(loop, objects, 0.0);
        return Picture();
    }
};

// What the blur does to a frame with the crosshair (beside the bar) and a
// line of text drawn over it, the camera turning by 1.5 degrees.
struct BlurredOverlays {
    int overlayPixels = 0; // pixels the overlays changed
    int movedOverlay = 0;  // of those, pixels the blur changed
    int bled = 0;          // other pixels away from the bar that the blur changed
    int besideBar = 0;     // brightness the bar smeared beside itself
};

// Compares a blurred frame with the same frame unblurred (sharp) and without
// its overlays (world); the bar's columns are left out of bled if asked.
BlurredOverlays countBlurred(const Picture& world, const Picture& sharp, const Picture& blurred,
                             bool skipBar) {
    BlurredOverlays result;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool changed = blurred.at(x, y).sum() != sharp.at(x, y).sum();
            if (sharp.at(x, y).sum() != world.at(x, y).sum()) {
                ++result.overlayPixels;
                result.movedOverlay += changed ? 1 : 0;
            } else if (!skipBar || x < 130 || x > 190) {
                result.bled += changed ? 1 : 0;
            }
        }
    }
    result.besideBar = blurred.at(173, 120).sum();
    return result;
}

class OverlayBlurTest : public EffectFramesTest {
protected:
    // With marked, the overlays are handed to the blur as the frame passes
    // hand them; without, the blur is not told about them.
    BlurredOverlays blurOverlays(bool marked) {
        loop.messageOverlay.setText("MOTION BLUR ON", 0, 0.3f);
        const FrameOverlays overlays{true, 250, 100, &loop.messageOverlay, &loop.fpsOverlay};
        paintBarAndFarDepth();
        const Picture scene;
        drawOverlays(values, nodes, overlays);
        const Picture sharp;
        turnCamera(1.5f);
        std::ostringstream out;
        runMotionBlurPass(values, effects, nodes, false, marked ? &overlays : nullptr, out);
        return countBlurred(scene, sharp, Picture(), true);
    }
};

// Overlays the blur is told about stay sharp; those it is not told about
// smear and bleed.
TEST_F(OverlayBlurTest, MotionBlurLeavesTheCrosshairAndTheTextSharpWhileTheSceneSmears) {
    const BlurredOverlays marked = blurOverlays(true);
    ASSERT_GT(marked.overlayPixels, 200);
    EXPECT_EQ(marked.movedOverlay, 0);
    EXPECT_EQ(marked.bled, 0);
    EXPECT_GT(marked.besideBar, 3 * 25);
    const BlurredOverlays unmarked = blurOverlays(false);
    ASSERT_GT(unmarked.overlayPixels, 200);
    EXPECT_GT(unmarked.movedOverlay, 20);
    EXPECT_GT(unmarked.bled, 20);
}

TEST_F(EffectFramesTest, ATurningCameraBlursTheWorldButNotTheCrosshairOrTheText) {
    addCue("cue", glm::vec3(-1.5f, 0.0f, -20.0f));
    auto* camera = new scenegraph::CameraNode("eye", new view::GlobalViewPlaneMoveCamera());
    root->addCamera(camera);
    root->setActiveCamera("eye");
    root->update(0.0);
    loop.messageOverlay.setText("MOTION BLUR ON", 0, 0.3f);
    testing::internal::CaptureStdout();
    frameWith({FullRender, Crosshair, MotionBlur});
    camera->localmodelMat = glm::rotate(glm::mat4(1.0f), glm::radians(1.5f), glm::vec3(0, 1, 0));
    root->update(0.0);
    const Picture blurred = frameWith({FullRender, Crosshair, MotionBlur});
    testing::internal::GetCapturedStdout();
    const Picture sharp = frameWith({FullRender, Crosshair});
    loop.messageOverlay.visible = false;
    const BlurredOverlays counted = countBlurred(frameWith({FullRender}), sharp, blurred, false);
    ASSERT_GT(counted.overlayPixels, 200);
    EXPECT_EQ(counted.movedOverlay, 0);
    EXPECT_GT(counted.bled, 50); // the world moved
}

// A cue in its window, as small as most cues show, with its five marker
// rings all but closed on it, and a dull cue just beside it.
TEST_F(EffectFramesTest, AnInWindowCueUnderBloomGlowsCloseAndLeavesItsNeighbourSeen) {
    const glm::vec3 place(0.0f, 0.0f, -60.0f);
    const glm::vec3 beside(3.0f, 0.0f, -60.0f);
    scenegraph::HitNode* cue = addCue("inWindow", place, 7);
    addCue("neighbour", beside, 4);
    ParticleSystem markers(1, 5, "Sprites/marker.tga", kMarkerParticles, glm::vec3(0.0f));
    markers.target = cue->getGeomObj();
    markers.active = true;
    ParticleManager::getInstance()->add(&markers, "targetingsystem");
    markers.time = 1.3f;
    const Picture plain = frameWith({FullRender, ParticleSystems});
    const Picture bloomed = frameWith({FullRender, ParticleSystems, Bloom});
    const glm::ivec2 centre = mouseAt(place);
    const glm::ivec2 neighbour = mouseAt(beside);
    const int radius = mouseAt(place + glm::vec3(1.0f, 0.0f, 0.0f)).x - centre.x;
    int glowBeyond = 0;
    int neighbourChange = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const glm::ivec2 at(x, kHeight - 1 - y);
            const int added = bloomed.at(x, y).sum() - plain.at(x, y).sum();
            const float distance = glm::length(glm::vec2(at - centre));
            if (glm::length(glm::vec2(at - neighbour)) < radius) {
                neighbourChange = std::max(neighbourChange, std::abs(added));
            } else if (distance > 1.5f * radius) {
                glowBeyond = std::max(glowBeyond, added);
            }
        }
    }
    // Five rings closed on the cue at full strength each burnt white and
    // bloomed to 135 beyond that circle and 71 over the neighbour.
    EXPECT_LT(glowBeyond, 30);
    EXPECT_LT(neighbourChange, 20);
    testing::internal::CaptureStdout();
    ParticleManager::destroyInstance();
    testing::internal::GetCapturedStdout();
}

TEST_F(EffectFramesTest, EffectsWithoutTheFullRenderShowNoOldFrame) {
    addCue("cue", glm::vec3(0.0f, 0.0f, -20.0f));
    const Picture world = frameWith({FullRender, Crosshair});
    const Picture effectsOnly = frameWith({Bloom, Lightshafts});
    // The light is behind the camera: nothing at all is drawn, and the cue
    // and the crosshair of the earlier frame are gone.
    const Rgb background = effectsOnly.at(5, 5);
    EXPECT_NE(world.at(kWidth / 2, kHeight / 2).sum(), background.sum());
    EXPECT_EQ(effectsOnly.at(kWidth / 2, kHeight / 2).sum(), background.sum());
    EXPECT_EQ(effectsOnly.at(kWidth / 2 + 9, kHeight / 2).sum(), background.sum());
}

} // namespace
} // namespace frametest
