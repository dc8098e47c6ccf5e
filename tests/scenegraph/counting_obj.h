#pragma once

#include "model/obj.h"

// Test double: a model that counts its draws instead of touching GL, and
// keeps the matrix it was last placed with.
class CountingObj : public model::OBJ {
public:
    CountingObj() : OBJ(nullptr) {}

    void draw(const glm::mat4*, const glm::mat4*, ShaderProgram*, int, int) override { ++draws; }
    void updateFromParent(double time, const glm::mat4& parentMat) override {
        lastParentMat = parentMat;
        OBJ::updateFromParent(time, parentMat);
    }

    int draws = 0;
    glm::mat4 lastParentMat = glm::mat4(0.0f);
};
