#include "app/passes/debris_pass.h"

#include "app/frame_values.h"
#include "model/obj.h"

#include <glm/gtc/matrix_transform.hpp>

void DebrisPass::draw(const FrameValues& values, ShaderProgram* program) {
    if (arrays == nullptr || arrays->hull == nullptr) {
        return;
    }
    chooseDebrisPieces(*arrays, values.view, values.cullingMode, startIndex, choice);
    model::OBJ& hull = *arrays->hull;
    for (int n = 0; n < choice.count; ++n) {
        const int k = choice.pieces[n];
        hull.setPosition(arrays->tubePoints[k] + arrays->tubeOffsets[k]);
        hull.scaleMat = glm::scale(glm::mat4(1.0f), arrays->tubeScales[k]);
        hull.update(0.0);
        hull.draw(&values.view, &values.projection, program, values.filter, values.mipmap);
    }
}
