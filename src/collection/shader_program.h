#pragma once

#include "platform/gl.h"

#include <string>

// One GLSL program built from path + ".vert", the optional path + ".geom"
// and path + ".frag". A program that fails to build stays with programId 0:
// binding it binds nothing, and the game runs on without its pass.
// Defines, when given, are lines put right after each stage's "#version"
// line: one set of files then builds variants that leave out what some draws
// never need.
class ShaderProgram {
public:
    ShaderProgram(std::string path, int id, std::string defines = {});
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    GLuint getProgramId() const { return programId; }
    int getId() const { return id; }
    bool isLinked() const { return linked; }
    bool hasGeometryStage() const { return hasGeometryShader; }
    GLuint getVertexShader() const { return vertexShader; }
    GLuint getGeometryShader() const { return geometryShader; }
    GLuint getFragmentShader() const { return fragmentShader; }

    // Lookups for the few uniforms that are not in the collection's table.
    GLint getUniformLocation(const std::string& name) const;
    GLint getAttribLocation(const std::string& name) const;

private:
    void build();
    // Returns the shader object even when compiling failed: the failure then
    // shows at linking. 0 only when no object could be created.
    GLuint compileShader(GLenum type, const std::string& source);
    void linkProgram();
    // The files of the stages this program links, as error lines name them.
    std::string stageFiles() const;

    bool linked = false;           // every stage compiled and the program linked
    bool hasGeometryShader = true; // cleared when there is no ".geom" file
    std::string path;              // "Shaders/150/" + name, without extension
    std::string vertexSource;      // text of the ".vert" file
    std::string geometrySource;    // text of the ".geom" file, empty without one
    std::string fragmentSource;    // text of the ".frag" file
    std::string defines;           // lines put after each stage's first line
    GLuint vertexShader = 0;       // 0 until created
    GLuint fragmentShader = 0;     // 0 until created
    GLuint geometryShader = 0;     // 0 until created (only with a ".geom" file)
    GLuint programId = 0;          // 0 until linked, and when linking failed
    int id = 0;                    // the program's number in the collection
};
