#pragma once

// Header only: comparisons of whole GLM vectors and matrices, so a test states
// the expected value once instead of element by element.

#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace testsupport {

template <class T> std::string glmText(const T& value) {
    std::ostringstream text;
    const float* v = glm::value_ptr(value);
    for (std::size_t i = 0; i < sizeof(T) / sizeof(float); ++i) {
        text << (i == 0 ? "(" : ", ") << v[i];
    }
    return text.str() + ")";
}

// Every element within tolerance, or, with kFloatEq, as close as
// EXPECT_FLOAT_EQ wants (four units in the last place).
constexpr float kFloatEq = -1.0f;

template <class T>
testing::AssertionResult near(const T& actual, const T& expected, float tolerance = 1e-5f) {
    const float* a = glm::value_ptr(actual);
    const float* e = glm::value_ptr(expected);
    for (std::size_t i = 0; i < sizeof(T) / sizeof(float); ++i) {
        const bool close = tolerance == kFloatEq
                               ? testing::internal::FloatingPoint<float>(a[i]).AlmostEquals(
                                     testing::internal::FloatingPoint<float>(e[i]))
                               : std::fabs(a[i] - e[i]) <= tolerance;
        if (!close) {
            return testing::AssertionFailure() << glmText(actual) << " differs from "
                                               << glmText(expected) << " at element " << i;
        }
    }
    return testing::AssertionSuccess();
}

} // namespace testsupport
