#pragma once

#include "collection/obj_data.h"
#include "collection/shader_slots.h"
#include "model/model_buffers.h"
#include "platform/gl.h"
#include "scenegraph/transformation_node.h"

#include <glm/glm.hpp>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace model {

class AttributeBinding;

// A texture level of a model: the texture and the unit it is bound to, which
// is its suffix number (0 base, 1 "_a", 2 "_s", 3 "_n"), not its position.
struct TexLevel {
    GLuint texture = 0;
    int unit = 0;
};

// A drawable model: one parsed OBJ file uploaded as vertex buffers, with
// its texture levels, placed in the scene like any TransformationNode.
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
    // The same model drawn at many places in a row (the debris): the program,
    // textures, lights and vertex attributes are set up once by
    // beginPlacements (false, with nothing set up, when the model is
    // switched off), each drawAtPlace draws it where its globalModelMat puts
    // it then, unless that is off the view, and finishPlacements undoes the
    // set-up. What each draw would upload again is the same for every place.
    bool beginPlacements(const glm::mat4& viewMat, const glm::mat4& projMat, ShaderProgram* program,
                         int filterMode, int mipmapMode);
    void drawAtPlace();
    void finishPlacements();
    // Draws with the buffers of a mesh made from objData (or, for a morphing
    // model, its series); many models share one mesh.
    virtual void useMesh(const Mesh& mesh);

    // Requests texturePath, then texturePath + "_a", "_s" and "_n" (after the
    // whole path, extension included) and keeps those that load.
    void loadTextures(std::string texturePath, int variant);
    // Copies the first five lights into lightDirections and energies, as each
    // draw does before uploading them. A flash fades in over its first 0.3 s
    // and out until its lifetime ends; an energy keeps its previous value
    // where neither applies (the main light, whose age is negative).
    void gatherLights();
    // True when nothing of the model placed by modelView can reach the
    // picture: its bounding sphere lies wholly outside the view of a
    // perspective projMat (the world programs' view: this near plane, no far
    // plane). Other projections (the overlays) and programs that do not place
    // vertices by "mvMat" and "projMat" (the effect plane's) never cull.
    bool outsideView(const ShaderProgram* program, const glm::mat4& modelView,
                     const glm::mat4& projMat) const;
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
    GLuint indexBuffer = 0;                        // 3 vertex indices per triangle
    GLuint texCoordBuffer = 0;                     // 2 floats per vertex
    std::array<TexLevel, kMaxTexLevels> texLevels; // loaded texture levels
    GLuint positionBuffer = 0;                     // 3 floats per vertex
    GLuint normalBuffer = 0;                       // 3 floats per vertex
    glm::vec3 boundCentre = glm::vec3(0.0f);       // a sphere around the vertices, in model space
    float boundRadius = -1.0f;                     // negative while no mesh is known: never culled
    int lastFilterMode = 0;                        // texture modes last applied by draw
    int lastMipmapMode = 0;
    std::array<glm::vec3, kMaxLights> lightDirections{}; // light vectors of the last draw
    std::array<float, kMaxLights> energies = {1.0f, 2.0f, 2.0f, 2.0f, 2.0f}; // per light

    // What a plain model's draw uploads beyond its own placement and look:
    // "updatetime" and the lights ("interpolate" goes to 0 with them).
    struct SharedUniforms {
        int time;
        int lightCount;
        std::array<float, kMaxLights> energies;
        std::array<glm::vec3, kMaxLights> directions;
        glm::vec3 lightTint; // a course's colours (Light::getLightTint)
        glm::vec3 glowTint;
    };

protected:
    // What one draw has set up and must undo.
    struct DrawSetup {
        const collection::UniformRow& uniforms;
        const collection::AttribRow& attribs;
        bool texturesBound;
    };

    bool isDrawable() const;
    // The program that draws this model's look: for the world program the
    // variant of its draw mode and normal level, for any other the program.
    ShaderProgram* lookOf(ShaderProgram* program) const;
    // Uploads into the bound program what the last plain model drawn with
    // family (the program asked for, not its variant) uploaded, if any.
    void replaySharedUniforms(const ShaderProgram* family, const collection::UniformRow& uniforms);
    // Binds the program and the texture levels and uploads the matrices
    // (mvMat = viewMat * modelMat), "mode" and "color".
    DrawSetup beginDraw(const glm::mat4& modelMat, const glm::mat4& viewMat,
                        const glm::mat4& projMat, ShaderProgram* program, int filterMode,
                        int mipmapMode);
    // One indexed draw of all triangles, then undoes what the draw bound and
    // leaves no program in use.
    void drawAndFinish(AttributeBinding& binding, const DrawSetup& setup) const;
    // Undoes what the draw bound and leaves no program in use.
    void finish(AttributeBinding& binding, const DrawSetup& setup) const;

private:
    // What beginPlacements set up for the places that follow.
    struct Placements {
        glm::mat4 view;
        glm::mat4 projection;
        ShaderProgram* program;
        DrawSetup setup;
        std::unique_ptr<AttributeBinding> binding;
    };
    void bindBuffers(AttributeBinding& binding, const DrawSetup& setup) const;

    std::optional<Placements> placements; // between beginPlacements and finishPlacements

    // Binds up to three texture levels to the program's "tex0".."tex2" and
    // applies the texture modes when they changed. Returns whether any level
    // was bound.
    bool bindTextures(const collection::UniformRow& uniforms, int filterMode, int mipmapMode);
    // This draw's shared uniforms, kept as the last of family's.
    const SharedUniforms& rememberSharedUniforms(const ShaderProgram* family);
    static void uploadSharedUniforms(const SharedUniforms& shared,
                                     const collection::UniformRow& uniforms);
};

} // namespace model
