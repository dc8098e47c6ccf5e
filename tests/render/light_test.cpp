#include "render/light.h"

#include <gtest/gtest.h>

namespace {

class LightTest : public testing::Test {
protected:
    void TearDown() override { Light::destroyInstance(); }
    Light* lights = Light::getInstance();
};

} // namespace

TEST_F(LightTest, MainLightFollowsItsPositionAndNeverAges) {
    ASSERT_EQ(lights->count(), 1);
    EXPECT_EQ(lights->get(0).position, glm::vec3(0.0f));
    EXPECT_EQ(lights->get(0).lifetime, -1.0);
    lights->update(glm::vec3(-5, 5, -15), 10.0);
    lights->update(glm::vec3(1, 2, 3), 10.0);
    ASSERT_EQ(lights->count(), 1);
    EXPECT_EQ(lights->get(0).position, glm::vec3(1, 2, 3));
    EXPECT_EQ(lights->get(0).age, -2.0);
}

TEST_F(LightTest, FlashLivesItsLifetimeAndGoesOnTheNextUpdate) {
    lights->addLight(1, 2, 3);
    ASSERT_EQ(lights->count(), 2);
    EXPECT_EQ(lights->get(1).position, glm::vec3(1, 2, 3));
    EXPECT_EQ(lights->get(1).age, 0.0);
    EXPECT_EQ(lights->get(1).lifetime, 2.0);
    lights->update(glm::vec3(0.0f), 1.0);
    lights->update(glm::vec3(0.0f), 1.0);
    ASSERT_EQ(lights->count(), 2); // exactly at its lifetime: still there
    EXPECT_EQ(lights->get(1).age, 2.0);
    lights->update(glm::vec3(0.0f), 0.25);
    EXPECT_EQ(lights->count(), 1);
}

TEST_F(LightTest, ExpiredFlashesLeaveTheOthersInOrder) {
    lights->addLight(1, 0, 0);
    lights->addLight(2, 0, 0);
    lights->update(glm::vec3(0.0f), 1.5);
    lights->addLight(3, 0, 0);
    lights->addLight(4, 0, 0);
    // The first two pass their lifetime together, back to back.
    lights->update(glm::vec3(0.0f), 1.0);
    ASSERT_EQ(lights->count(), 3);
    EXPECT_EQ(lights->get(1).position.x, 3.0f);
    EXPECT_EQ(lights->get(2).position.x, 4.0f);
    EXPECT_EQ(lights->get(1).age, 1.0);
}
