#include "model/obj.h"
#include "render/light.h"

#include <gtest/gtest.h>

namespace {

class ObjLightsTest : public testing::Test {
protected:
    void TearDown() override { Light::destroyInstance(); }

    Light* lights = Light::getInstance();
    glm::vec3 mainPosition{-5.0f, 5.0f, -15.0f};
    ObjData data;
    model::OBJ obj{&data};
};

} // namespace

// The main light alone is the draw test's (energies 1, then 2 for the unused).
TEST_F(ObjLightsTest, DrawModeFiveLiftsEveryLight) {
    lights->addLight(1, 2, 3);
    lights->update(mainPosition, 0.1);
    obj.setDrawMode(5);
    obj.gatherLights();
    EXPECT_EQ(obj.lightDirections[0], glm::vec3(-5, 5, 30));
    EXPECT_EQ(obj.lightDirections[1], glm::vec3(1, 2, 30));
}

TEST_F(ObjLightsTest, FlashFadesInThenOut) {
    lights->addLight(1, 2, 3);
    lights->update(mainPosition, 0.15);
    obj.gatherLights();
    EXPECT_NEAR(obj.energies[1], 0.5f, 1e-6);
    EXPECT_EQ(obj.lightDirections[1], glm::vec3(1, 2, 3));
    lights->update(mainPosition, 1.0);
    obj.gatherLights();
    EXPECT_NEAR(obj.energies[1], 0.5f, 1e-6); // 1.15 s: halfway down from 0.3 to 2.0
    lights->update(mainPosition, 0.65);
    obj.gatherLights();
    EXPECT_NEAR(obj.energies[1], 1.0f - 1.5f / 1.7f, 1e-6);
}

TEST_F(ObjLightsTest, AtTheEndOfTheFadeInTheEnergyOfTheLastDrawStays) {
    lights->addLight(1, 2, 3);
    lights->update(mainPosition, 0.25);
    obj.gatherLights();
    const float before = obj.energies[1];
    EXPECT_NEAR(before, 0.25f / 0.3f, 1e-6);
    lights->update(mainPosition, 0.05); // 0.25 + 0.05 == 0.3 in doubles
    ASSERT_EQ(lights->get(1).age, 0.3);
    obj.gatherLights();
    EXPECT_EQ(obj.energies[1], before);
}

TEST_F(ObjLightsTest, OnlyTheFirstFiveLightsReachTheModel) {
    for (int i = 1; i <= 6; ++i) {
        lights->addLight(static_cast<float>(i), 0, 0);
    }
    lights->update(mainPosition, 0.15);
    ASSERT_EQ(lights->count(), 7);
    obj.gatherLights();
    EXPECT_EQ(obj.lightDirections[0], mainPosition);
    EXPECT_EQ(obj.lightDirections[4].x, 4.0f);
    EXPECT_NEAR(obj.energies[4], 0.5f, 1e-6);
}
