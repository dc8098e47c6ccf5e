#include "scenegraph/scene_values.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using namespace scenegraph;

TEST(SceneValues, ValueStartsTwoCharactersAfterTheFirstColon) {
    EXPECT_EQ(valueText("status: 1"), "1");
    EXPECT_EQ(valueText("  active cam: main cam"), "main cam");
    EXPECT_EQ(valueText("child0: a: b"), "a: b");
    EXPECT_EQ(valueText("children:3"), "");
    EXPECT_EQ(valueText("children:"), "");
    EXPECT_EQ(valueText("children"), "");
}

TEST(SceneValues, NumbersThatDoNotScanKeepTheFieldAndDoublesAreReadAsFloats) {
    const auto parsedInt = [](const char* text) {
        int count = 7;
        parseInt(text, count);
        return count;
    };
    EXPECT_EQ(parsedInt("-3"), -3);
    for (const char* unscanned : {"many", "", "99999999999"}) {
        EXPECT_EQ(parsedInt(unscanned), 7) << unscanned;
    }
    float distance = 1.0f;
    parseFloat("2.5", distance);
    EXPECT_FLOAT_EQ(distance, 2.5f);
    parseFloat("far", distance);
    EXPECT_FLOAT_EQ(distance, 2.5f);

    // A double is read as a float, then widened.
    double start = -1.0;
    parseDouble("0.1", start);
    EXPECT_EQ(start, static_cast<double>(0.1f));
    EXPECT_NE(start, 0.1);
}

TEST(SceneValues, OnlyTheExactTextTrueIsTrue) {
    EXPECT_TRUE(parseBool("true"));
    for (const char* other : {"True", "true ", "1", ""}) {
        EXPECT_FALSE(parseBool(other)) << other;
    }
}

TEST(SceneValues, VectorComponentsThatDoNotScanAreZero) {
    EXPECT_EQ(parseVec3("[1.0|2.0|3.0]"), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(parseVec3("[255|x|3]"), glm::vec3(255.0f, 0.0f, 0.0f));
    EXPECT_EQ(parseVec3("1|2|3"), glm::vec3(0.0f));
}

TEST(SceneValues, FourthBracketIsTheTranslationAndElementsThatDoNotScanKeepTheirIdentityValue) {
    EXPECT_EQ(parseMat4("[1|0|0|0][0|1|0|0][0|0|1|0][5|6|7|1]"),
              glm::translate(glm::mat4(1.0f), glm::vec3(5.0f, 6.0f, 7.0f)));
    glm::mat4 expected(1.0f);
    expected[0] = glm::vec4(2.0f, 3.0f, 4.0f, 5.0f);
    EXPECT_EQ(parseMat4("[2|3|4|5]"), expected);

    expected[1][0] = 8.0f;
    EXPECT_EQ(parseMat4("[2|3|4|5][8|oops|0|0][9|9|9|9][9|9|9|9]"), expected);
    EXPECT_EQ(parseMat4(""), glm::mat4(1.0f));
}
