#include "app/key_commands.h"
#include "app/settings.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<bool> wireframeCalls;
std::vector<bool> blendingCalls;

void recordWireframe(bool on) {
    wireframeCalls.push_back(on);
}
void recordBlending(bool on) {
    blendingCalls.push_back(on);
}

class KeyCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setDefaultSettings();
        wireframeCalls.clear();
        blendingCalls.clear();
        platform::useScriptedInput(&input);
    }

    void TearDown() override {
        platform::useScriptedInput(nullptr);
        scenegraph::RootNode::destroyInstance();
        setDefaultSettings();
    }

    // One pass with the key held, then one with it released.
    void tap(int key) {
        input.keys[key] = 1;
        commands.poll(context);
        input.keys[key] = 0;
        commands.poll(context);
    }

    // Gives the statistics a sample so a reset is visible.
    void takeSample() {
        for (int i = 0; i < FrameStatistics::framesPerSample; ++i) {
            loop.statistics.addFrame(0.02);
        }
    }

    std::string takeLog() {
        std::string text = log.str();
        log.str("");
        return text;
    }

    platform::InputState input;
    LoopState loop;
    std::ostringstream log;
    scenegraph::RootNode& root = *scenegraph::RootNode::getInstance();
    CommandContext context{loop, root, {recordWireframe, recordBlending}, log};
    KeyCommands commands;
};

// Holding a key fires it once; show fps off hides the statistics, and each
// switch resets the average.
TEST_F(KeyCommandsTest, HoldingShowFpsFiresItOnceAndOffHidesTheStatistics) {
    loop.fpsOverlay.setText("fps", 0, 0.3f);
    takeSample();
    input.keys[GLFW_KEY_F2] = 1;
    for (int pass = 0; pass < 50; ++pass) {
        commands.poll(context);
    }
    EXPECT_TRUE(showfps);
    EXPECT_EQ(takeLog(), "SHOW FPS ON\n");
    EXPECT_TRUE(loop.fpsOverlay.visible);
    EXPECT_FLOAT_EQ(loop.statistics.average(), 0.0f);
    input.keys[GLFW_KEY_F2] = 0;
    commands.poll(context);
    tap(GLFW_KEY_F2);
    EXPECT_FALSE(showfps);
    EXPECT_EQ(takeLog(), "SHOW FPS OFF\n");
    EXPECT_FALSE(loop.fpsOverlay.visible);
    EXPECT_EQ(loop.messageOverlay.text, "SHOW FPS OFF");
    EXPECT_EQ(loop.messageOverlay.line, 1);
}

TEST_F(KeyCommandsTest, ZeroTwiceTogglesThePickerOffAndOn) {
    takeSample();
    tap(GLFW_KEY_0);
    EXPECT_FALSE(loop.renderFlags[Picker]);
    EXPECT_EQ(loop.messageOverlay.text, "PICKER OFF");
    EXPECT_TRUE(loop.messageOverlay.visible);
    EXPECT_FLOAT_EQ(loop.statistics.average(), 0.0f);
    takeSample();
    loop.messageOverlay.displayTime = 0.7;
    tap(GLFW_KEY_0);
    EXPECT_TRUE(loop.renderFlags[Picker]);
    EXPECT_EQ(loop.messageOverlay.text, "PICKER ON");
    EXPECT_EQ(loop.messageOverlay.displayTime, 0.0);
    EXPECT_FLOAT_EQ(loop.statistics.average(), 0.0f);
    EXPECT_EQ(takeLog(), "PICKER OFF\nPICKER ON\n");
}

TEST_F(KeyCommandsTest, DigitsOneToEightToggleTheirSwitches) {
    const char* expected = "FULL RENDER OFF\nLIGHTSHAFTS OFF\nBLOOM OFF\nENVIRONMENT MAPPING OFF\n"
                           "LENSFLARE OFF\nCROSSHAIR OFF\nPARTICLESYSTEMS OFF\nMOTION BLUR ON\n";
    for (int key = GLFW_KEY_1; key <= GLFW_KEY_8; ++key) {
        tap(key);
    }
    EXPECT_EQ(takeLog(), expected);
    RenderFlags flipped{true, false, false, false, false, false, false, false, true, true};
    EXPECT_EQ(loop.renderFlags, flipped);
}

TEST_F(KeyCommandsTest, WireframeSwitchesPolygonModeAndTheScreenEffectsOff) {
    takeSample();
    tap(GLFW_KEY_F3);
    EXPECT_TRUE(loop.wireframe);
    EXPECT_FALSE(loop.renderFlags[Lightshafts]);
    EXPECT_FALSE(loop.renderFlags[Bloom]);
    loop.renderFlags[Bloom] = true;
    tap(GLFW_KEY_F3);
    EXPECT_FALSE(loop.wireframe);
    EXPECT_FALSE(loop.renderFlags[Lightshafts]);
    EXPECT_FALSE(loop.renderFlags[Bloom]);
    EXPECT_EQ(wireframeCalls, (std::vector<bool>{true, false}));
    EXPECT_EQ(takeLog(), "WIREFRAME MODE ON\nWIREFRAME MODE OFF\n");
    EXPECT_FLOAT_EQ(loop.statistics.average(), 50.0f); // not reset
}

TEST_F(KeyCommandsTest, TransparencyDrivesBlendingAndLightshafts) {
    tap(GLFW_KEY_F9);
    EXPECT_FALSE(loop.transparency);
    EXPECT_FALSE(loop.renderFlags[Lightshafts]);
    tap(GLFW_KEY_F9);
    EXPECT_TRUE(loop.transparency);
    EXPECT_TRUE(loop.renderFlags[Lightshafts]);
    EXPECT_EQ(blendingCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(takeLog(), "TRANSPARENCY OFF\nTRANSPARENCY ON\n");
}

TEST_F(KeyCommandsTest, FrameLockPrintsTheStarredFormAndRestartsItsTimer) {
    loop.sinceRender = 0.5;
    takeSample();
    tap(GLFW_KEY_F7);
    EXPECT_TRUE(loop.frameLocked);
    EXPECT_EQ(loop.sinceRender, 0.0);
    EXPECT_EQ(loop.messageOverlay.text, "FRAMERATE LOCKED");
    EXPECT_FLOAT_EQ(loop.statistics.average(), 0.0f);
    loop.sinceRender = 0.01;
    tap(GLFW_KEY_F7);
    EXPECT_FALSE(loop.frameLocked);
    EXPECT_EQ(loop.sinceRender, 0.01);
    EXPECT_EQ(loop.messageOverlay.text, "FRAMERATE UNLOCKED");
    EXPECT_EQ(takeLog(), " ***FRAMERATE LOCKED*** \n ***FRAMERATE UNLOCKED*** \n");
}

TEST_F(KeyCommandsTest, ModeKeysCycleTheRootsModesOnLineTwoSilently) {
    root.textureFilterMode = 1;
    root.mipmapMode = 12;
    root.cullingMode = 24;
    takeSample();
    tap(GLFW_KEY_F4);
    EXPECT_EQ(root.textureFilterMode, 2);
    EXPECT_EQ(loop.messageOverlay.text, "Bilinear texture filtering");
    EXPECT_EQ(loop.messageOverlay.line, 2);
    tap(GLFW_KEY_F5);
    EXPECT_EQ(root.mipmapMode, 10);
    EXPECT_EQ(loop.messageOverlay.text, "MipMapping off");
    tap(GLFW_KEY_F8);
    EXPECT_EQ(root.cullingMode, 20);
    EXPECT_EQ(loop.messageOverlay.text, "No view culling");
    EXPECT_EQ(takeLog(), "");
    EXPECT_FLOAT_EQ(loop.statistics.average(), 50.0f);
}

// Other function keys do nothing; the info keys show text without printing.
TEST_F(KeyCommandsTest, InfoKeysShowTextWithoutPrintingAndOtherFunctionKeysNothing) {
    tap(GLFW_KEY_F10);
    tap(GLFW_KEY_F11);
    EXPECT_FALSE(loop.messageOverlay.visible);
    EXPECT_EQ(loop.renderFlags, LoopState().renderFlags);
    tap(GLFW_KEY_9);
    EXPECT_EQ(loop.messageOverlay.text, "SCENEWRITER CURRENTLY DISABLED IN SOURCE");
    EXPECT_EQ(loop.messageOverlay.line, 1);
    tap(GLFW_KEY_F1);
    EXPECT_EQ(loop.messageOverlay.text,
              "Press 'P' to start the game - try to hit the cues on time!");
    EXPECT_EQ(loop.messageOverlay.line, 3);
    EXPECT_FLOAT_EQ(loop.messageOverlay.size, 0.3f);
    EXPECT_EQ(takeLog(), "");
}

TEST_F(KeyCommandsTest, FeedbackStartsOnAndF6SwitchesItLikeTheRenderSwitches) {
    EXPECT_TRUE(loop.feedback);
    takeSample();
    tap(GLFW_KEY_F6);
    EXPECT_FALSE(loop.feedback);
    EXPECT_EQ(loop.messageOverlay.text, "FEEDBACK OFF");
    EXPECT_EQ(loop.messageOverlay.line, 1);
    EXPECT_FLOAT_EQ(loop.statistics.average(), 0.0f);
    tap(GLFW_KEY_F6);
    EXPECT_TRUE(loop.feedback);
    EXPECT_EQ(takeLog(), "FEEDBACK OFF\nFEEDBACK ON\n");
}

TEST_F(KeyCommandsTest, KeysPressedTogetherAnswerInTableOrder) {
    input.keys[GLFW_KEY_0] = 1;
    input.keys[GLFW_KEY_F7] = 1;
    input.keys[GLFW_KEY_F2] = 1;
    commands.poll(context);
    EXPECT_EQ(takeLog(), "SHOW FPS ON\n ***FRAMERATE LOCKED*** \nPICKER OFF\n");
    EXPECT_EQ(loop.messageOverlay.text, "PICKER OFF");
}

TEST_F(KeyCommandsTest, CameraKeyGoesRoundTheThreeCamerasOnly) {
    loop.currentCamName = "racing cam";
    const char* expected[] = {"main cam", "spaceship cam", "racing cam", "main cam"};
    for (const char* name : expected) {
        tap(GLFW_KEY_C);
        EXPECT_EQ(loop.currentCamName, name);
        EXPECT_EQ(root.activeCamName, name);
    }
    EXPECT_FALSE(loop.messageOverlay.visible);
    // A camera outside the round stays.
    loop.currentCamName = "debug cam";
    root.activeCamName = "debug cam";
    tap(GLFW_KEY_C);
    EXPECT_EQ(loop.currentCamName, "debug cam");
    EXPECT_EQ(root.activeCamName, "debug cam");
}

// Taps quicker than a frame all count: on a slow frame the camera key
// pressed twice goes two cameras on, and a switch pressed twice is back.
TEST_F(KeyCommandsTest, EveryPressSinceTheLastPassAnswers) {
    loop.currentCamName = "racing cam";
    input.queuedKeyPresses[GLFW_KEY_C] = 2;
    input.queuedKeyPresses[GLFW_KEY_F6] = 2;
    commands.poll(context);
    EXPECT_EQ(loop.currentCamName, "spaceship cam");
    EXPECT_EQ(root.activeCamName, "spaceship cam");
    EXPECT_TRUE(loop.feedback);
    EXPECT_EQ(takeLog(), "FEEDBACK OFF\nFEEDBACK ON\n");
    commands.poll(context);
    EXPECT_EQ(loop.currentCamName, "spaceship cam") << "each press answers once";
}

TEST_F(KeyCommandsTest, PauseThenResumeRewindsTheClockToThePauseStart) {
    loop.now = 42.0;
    tap(GLFW_KEY_P);
    EXPECT_TRUE(loop.paused);
    EXPECT_EQ(loop.pauseStart, 42.0);
    platform::glfwSetTime(52.0); // ten seconds spent paused
    loop.now = 52.0;
    tap(GLFW_KEY_P);
    EXPECT_FALSE(loop.paused);
    EXPECT_EQ(loop.lastTime, 42.0);
    double elapsedAfterResume = platform::glfwGetTime() - loop.lastTime;
    EXPECT_GE(elapsedAfterResume, 0.0);
    EXPECT_LT(elapsedAfterResume, 0.5);
    EXPECT_FALSE(loop.messageOverlay.visible);
}

// On the end screen A writes the suggested offset_ms into the player's file,
// and A again gives the file back as it was, whether it had the key or not.
TEST_F(KeyCommandsTest, AAppliesTheSuggestedOffsetAndAgainPutsTheOldOneBack) {
    testsupport::ScratchDir scratch;
    const std::string mine = "# mine\noffset_ms=5\nshowfps=true\n";
    loop.playerConfig = {scratch.write("config.cfg", mine), true};
    loop.endOfSong.suggestedOffsetMs = 38;
    loop.endOfSong.offsetBeforeMs = 5.0;
    loop.endOfSong.advice = loop.endOfSong.suggestion = "suggestion";
    tap(GLFW_KEY_A);
    EXPECT_EQ(testsupport::readFile(loop.playerConfig.file), mine) << "only on the end screen";
    loop.accuracyLogged = true;
    tap(GLFW_KEY_A);
    EXPECT_EQ(testsupport::readFile(loop.playerConfig.file),
              "# mine\noffset_ms=38\nshowfps=true\n");
    EXPECT_EQ(offsetMs, 38.0);
    EXPECT_EQ(takeLog(), "OFFSET: offset_ms=38 saved in " + loop.playerConfig.file.string() + "\n");
    EXPECT_NE(loop.endOfSong.advice.find("press A again for offset_ms=5"), std::string::npos);
    tap(GLFW_KEY_A);
    EXPECT_EQ(testsupport::readFile(loop.playerConfig.file), mine);
    EXPECT_EQ(offsetMs, 5.0);
    EXPECT_EQ(loop.endOfSong.advice, "suggestion");

    // A file without the key gets it and loses it again.
    loop.playerConfig = {scratch.path() / "new" / "config.cfg", false};
    tap(GLFW_KEY_A);
    EXPECT_EQ(testsupport::readFile(loop.playerConfig.file), "offset_ms=38\n");
    tap(GLFW_KEY_A);
    EXPECT_EQ(testsupport::readFile(loop.playerConfig.file), "");
}

} // namespace
