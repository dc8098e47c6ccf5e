#include "app/frame_objects.h"
#include "render/light.h"
#include "render/text_pass.h"
#include "support/gl_context.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace {

class FrameObjectsTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext();
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
    }

    void TearDown() override {
        testing::internal::CaptureStdout();
        destroyEffectObjects(objects.effects);
        releaseTextOverlays();
        testing::internal::GetCapturedStdout();
        Light::destroyInstance();
        std::filesystem::current_path(previous);
    }

    testsupport::ScratchDir dir; // holds no sprites at all
    std::filesystem::path previous;
    FrameObjects objects;
};

// Everything a frame draws with is made at start-up, so a missing sheet is
// reported before the first frame: the lens flare's, then the font sheet
// once for each text overlay. A resized window gets buffers and picking of
// its new size.
TEST_F(FrameObjectsTest, StartUpReportsTheMissingSheetsInOrderAndAResizeResizesEverything) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    createFrameObjects(objects, 64, 48);
    const std::string errors = testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();
    const std::string font = "particle tex file not found at: Sprites/fonts.tga\n";
    const std::size_t first = errors.find(font);
    ASSERT_NE(first, std::string::npos) << errors;
    EXPECT_NE(errors.find(font, first + font.size()), std::string::npos) << errors;
    EXPECT_LT(errors.find("Sprites/splosion_part_sheet4.tga"), first) << errors;

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    resizeFrameObjects(objects, 200, 120);
    testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();
    const EffectBuffers& buffers = *objects.effects.buffers;
    EXPECT_EQ(buffers.sceneFbo->reducedWidth(), 200);
    EXPECT_EQ(buffers.bloomFboB->reducedHeight(), 15);
    EXPECT_TRUE(buffers.lightshaftFbo->isComplete());
    EXPECT_EQ(objects.pickingTarget.fboId, buffers.pickerFbo->getFboId());
    EXPECT_EQ(objects.pickingTarget.drawWidth(), 50);
    EXPECT_EQ(objects.pickingTarget.drawHeight(), 30);
}

} // namespace
