#include "model/obj_anim.h"

#include "collection/shader_collection.h"
#include "model/attribute_binding.h"

#include <algorithm>
#include <ostream>

using collection::AttribSlot;
using collection::UniformSlot;

ObjAnim::ObjAnim(ObjData* first, int nrFrames)
    : model::OBJ(first), nrFrames(std::max(nrFrames, 1)), positionBuffers(this->nrFrames, 0),
      normalBuffers(this->nrFrames, 0) {}

ObjAnim::~ObjAnim() = default;

void ObjAnim::addFrame(ObjData* shape, std::ostream& report) {
    if (framesLoaded >= nrFrames) {
        return;
    }
    // Every shape is drawn with the first one's indices: drawing more
    // triangles than the smallest shape has would read past its buffers.
    // Either file may be the broken one, so the line names both.
    if (framesLoaded > 0 && shape->nrFaces != nrFaces) {
        report << "morph shape " << shape->path << " has " << shape->nrFaces
               << " faces, the series from " << shapes.front()->path << " " << nrFaces
               << "; drawing the fewer\n";
    }
    nrFaces = framesLoaded == 0 ? shape->nrFaces : std::min(nrFaces, shape->nrFaces);
    shapes.push_back(shape);
    ++framesLoaded;
}

void ObjAnim::useMesh(const model::Mesh& mesh) {
    for (std::size_t shape = 0; shape < mesh.positions.size() && shape < positionBuffers.size();
         ++shape) {
        positionBuffers[shape] = mesh.positions[shape];
        normalBuffers[shape] = mesh.normals[shape];
    }
    positionBuffer = positionBuffers.front();
    normalBuffer = normalBuffers.front();
    texCoordBuffer = mesh.texCoords;
    indexBuffer = mesh.indices;
    boundCentre = mesh.centre;
    boundRadius = mesh.radius;
}

void ObjAnim::draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
                   int filterMode, int mipmapMode) {
    // A morphing model is placed by its own matrix only.
    if (!isDrawable()) {
        return;
    }
    // The whole program, not its look's variant: the cues morph, and their
    // look changes in front of the player (announced, in the window, missed).
    // A software renderer compiles a program on the frame that first draws
    // with it, and where no shader cache holds it yet that frame stalls for
    // most of a second, just as a cue enters its window. Drawn with every
    // look in one program, a cue costs that compile once, when it first comes
    // into view; cues are small on screen, so the branches cost little.
    if (outsideView(program, *viewMat * localmodelMat, *projMat)) {
        return;
    }
    const DrawSetup setup =
        beginDraw(localmodelMat, *viewMat, *projMat, program, filterMode, mipmapMode);
    replaySharedUniforms(program, setup.uniforms);
    if (setup.uniforms[UniformSlot::dt] != -1) {
        glUniform1f(setup.uniforms[UniformSlot::dt], dt);
    }
    if (setup.uniforms[UniformSlot::interpolate] != -1) {
        glUniform1i(setup.uniforms[UniformSlot::interpolate], 1);
    }

    // The player may name any frame; stay inside the series.
    const int from = ((currentFrame % nrFrames) + nrFrames) % nrFrames;
    const int to = (from + 1) % nrFrames;
    model::AttributeBinding binding;
    binding.bind(setup.attribs[AttribSlot::inPosition], positionBuffers[from], 3);
    binding.bind(setup.attribs[AttribSlot::inPositionTarget], positionBuffers[to], 3);
    binding.bind(setup.attribs[AttribSlot::inNormal], normalBuffers[from], 3);
    binding.bind(setup.attribs[AttribSlot::inNormalTarget], normalBuffers[to], 3);
    binding.bind(setup.attribs[AttribSlot::inTexCoord], texCoordBuffer, 2);
    drawAndFinish(binding, setup);
}
