#pragma once

#include "model/obj.h"

#include <ostream>
#include <vector>

// A model that morphs through a series of shapes with the same faces: one
// position and one normal buffer per shape, texture coordinates from the
// first. The shader blends shape currentFrame into the next by dt.
class ObjAnim : public model::OBJ {
public:
    // A series has at least one shape.
    ObjAnim(ObjData* first, int nrFrames);
    ~ObjAnim() override;

    void draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
              int filterMode, int mipmapMode) override;

    // Adds the next shape to the series; shapes past nrFrames are ignored.
    // Draws only the triangles every shape has, and writes a line to
    // `report` for a shape whose count differs.
    void addFrame(ObjData* shape, std::ostream& report);
    // Takes one position and one normal buffer per shape added, and the
    // indices and texture coordinates of the first.
    void useMesh(const model::Mesh& mesh) override;

    int framesLoaded = 0;                // shapes added so far
    std::vector<const ObjData*> shapes;  // the shapes added, in order
    int nrFrames;                        // shapes in the series
    int currentFrame = 0;                // shape morphed from, set by the animation player
    float dt = 0.0f;                     // morph factor 0..1 towards the next shape
    std::vector<GLuint> positionBuffers; // one per shape
    std::vector<GLuint> normalBuffers;   // one per shape
};
