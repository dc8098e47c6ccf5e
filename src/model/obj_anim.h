#pragma once

#include "model/obj.h"

#include <vector>

// A model that morphs through a series of shapes with the same faces: one
// position and one normal buffer per shape, texture coordinates and indices
// from the first. The shader blends shape currentFrame into the next by dt.
class ObjAnim : public model::OBJ {
public:
    // A series has at least one shape.
    ObjAnim(ObjData* first, int nrFrames);
    ~ObjAnim() override;

    void draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
              int filterMode, int mipmapMode) override;

    // Gives the next shape its buffers; the first shape also gives the index
    // and texture-coordinate buffers. Shapes past nrFrames are ignored.
    void addFrame(ObjData* shape);

    int framesLoaded = 0;                // shapes given buffers so far
    int nrFrames;                        // shapes in the series
    int currentFrame = 0;                // shape morphed from, set by the animation player
    float dt = 0.0f;                     // morph factor 0..1 towards the next shape
    std::vector<GLuint> positionBuffers; // one per shape
    std::vector<GLuint> normalBuffers;   // one per shape
};
