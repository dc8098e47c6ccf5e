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
    if (choice.count == 0 || !hull.beginPlacements(values.view, values.projection, program,
                                                   values.filter, values.mipmap)) {
        return;
    }
    // Every piece is the same model with the same look: only its place
    // changes from one draw to the next.
    for (int n = 0; n < choice.count; ++n) {
        const int k = choice.pieces[n];
        hull.setPosition(arrays->tubePoints[k] + arrays->tubeOffsets[k]);
        hull.scaleMat = glm::scale(glm::mat4(1.0f), arrays->tubeScales[k]);
        hull.update(0.0);
        hull.drawAtPlace();
    }
    hull.finishPlacements();
}
