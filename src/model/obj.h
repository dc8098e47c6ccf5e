#pragma once

#include "collection/obj_data.h"
#include "collection/shader_slots.h"
#include "platform/gl.h"
#include "scenegraph/transformation_node.h"

#include <glm/glm.hpp>

#include <array>
#include <string>

namespace model {

class AttributeBinding;

// A texture level of a model: the texture and the unit it is bound to, which
// is its suffix number (0 base, 1 "_a", 2 "_s", 3 "_n"), not its position.
struct TexLevel {
    GLuint texture = 0;
    int unit = 0;
};

// A drawable model: one parsed OBJ file uploaded as de-indexed vertex
// buffers, with its texture levels, placed in the scene like any
// TransformationNode.
class OBJ : public scenegraph::TransformationNode {
public:
    static constexpr int kMaxTexLevels = 10;
    static constexpr int kMaxLights = 5;

    explicit OBJ(ObjData* data);
    ~OBJ() override;

    // Draws nothing when switched off (drawStatus 0) or not drawable
    // (status above 2).
    void draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
              int filterMode, int mipmapMode) override;
    // Builds the four buffers from objData.
    virtual void createBuffers();

    // Requests texturePath, then texturePath + "_a", "_s" and "_n" (after the
    // whole path, extension included) and keeps those that load.
    void loadTextures(std::string texturePath, int variant);
    // Copies the first five lights into lightDirections and energies, as each
    // draw does before uploading them. A flash fades in over its first 0.3 s
    // and out until its lifetime ends; an energy keeps its previous value
    // where neither applies (the main light, whose age is negative).
    void gatherLights();
    void setObjpath(std::string path) { objpath = std::move(path); }
    void setTexturepath(std::string path) { texturepath = std::move(path); }
    std::string getObjpath() const { return objpath; }
    std::string getTexturepath() const { return texturepath; }

    ObjData* objData;                              // the parsed file; shared, not owned
    glm::vec3 color = glm::vec3(0.0f);             // picking colour 0..1, written by a HitNode
    int nrTexLevels = 0;                           // entries used in texLevels
    int nrFaces = 0;                               // triangles to draw
    std::string objpath;                           // the OBJ path the node was made from
    std::string texturepath;                       // the texture path it was made with
    GLuint indexBuffer = 0;                        // element buffer 0, 1, 2, ...
    GLuint texCoordBuffer = 0;                     // 2 floats per corner
    std::array<TexLevel, kMaxTexLevels> texLevels; // loaded texture levels
    GLuint positionBuffer = 0;                     // 3 floats per corner
    GLuint normalBuffer = 0;                       // 3 floats per corner
    int lastFilterMode = 0;                        // texture modes last applied by draw
    int lastMipmapMode = 0;
    std::array<glm::vec3, kMaxLights> lightDirections{}; // light vectors of the last draw
    std::array<float, kMaxLights> energies = {1.0f, 2.0f, 2.0f, 2.0f, 2.0f}; // per light

protected:
    // What one draw has set up and must undo.
    struct DrawSetup {
        const collection::UniformRow& uniforms;
        const collection::AttribRow& attribs;
        bool texturesBound;
    };

    bool isDrawable() const;
    // Binds the program and the texture levels and uploads the matrices
    // (mvMat = viewMat * modelMat), "mode" and "color".
    DrawSetup beginDraw(const glm::mat4& modelMat, const glm::mat4& viewMat,
                        const glm::mat4& projMat, ShaderProgram* program, int filterMode,
                        int mipmapMode);
    // One indexed draw of all triangles, then undoes what the draw bound and
    // leaves no program in use.
    void drawAndFinish(AttributeBinding& binding, const DrawSetup& setup) const;

private:
    // Binds up to three texture levels to the program's "tex0".."tex2" and
    // applies the texture modes when they changed. Returns whether any level
    // was bound.
    bool bindTextures(const collection::UniformRow& uniforms, int filterMode, int mipmapMode);
    void uploadLights(const collection::UniformRow& uniforms);
};

} // namespace model
