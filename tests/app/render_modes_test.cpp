#include "app/render_modes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(RenderModes, TextureFilterTogglesBetweenNearestAndBilinear) {
    EXPECT_EQ(nextTextureFilterMode(1).mode, 2);
    EXPECT_STREQ(nextTextureFilterMode(1).text, "Bilinear texture filtering");
    EXPECT_EQ(nextTextureFilterMode(2).mode, 1);
    EXPECT_STREQ(nextTextureFilterMode(2).text, "Nearest Neighbor texture filtering");
    EXPECT_EQ(nextTextureFilterMode(7).mode, 1);
}

TEST(RenderModes, MipmappingCyclesThroughItsThreeModes) {
    int mode = 10;
    for (const auto& [next, text] :
         {std::pair(11, "Nearest Neighbor MipMapping"),
          std::pair(12, "Linear interpolation MipMapping"), std::pair(10, "MipMapping off")}) {
        const ModeChange change = nextMipmapMode(mode);
        EXPECT_EQ(change.mode, next);
        EXPECT_STREQ(change.text, text);
        mode = change.mode;
    }
    EXPECT_EQ(nextMipmapMode(0).mode, 10);
}

TEST(RenderModes, CullingVisitsEveryModeAndReturnsToNone) {
    const char* texts[] = {"Cull level on Z", "Cull level on view frustrum",
                           "Cull level and scenegraph on Z",
                           "Cull level and scenegraph on view frustrum", "No view culling"};
    int mode = 20;
    for (int i = 0; i < 5; ++i) {
        ModeChange change = nextCullingMode(mode);
        EXPECT_EQ(change.mode, i < 4 ? 21 + i : 20);
        EXPECT_STREQ(change.text, texts[i]);
        mode = change.mode;
    }
    EXPECT_EQ(nextCullingMode(99).mode, 20);
}

} // namespace
