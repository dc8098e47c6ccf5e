#include "collection/shader_program.h"

#include "collection/text_file.h"
#include "platform/gl_report.h"

#include <iostream>
#include <vector>

namespace {

// Info logs are fetched into a buffer of this size.
constexpr GLsizei kInfoLogSize = 8096;

template <typename GetLog> void printInfoLog(GLuint object, GetLog getLog) {
    std::vector<GLchar> log(kInfoLogSize, '\0');
    GLsizei length = 0;
    getLog(object, kInfoLogSize, &length, log.data());
    if (length > 0) {
        std::cout << std::string(log.data(), static_cast<std::size_t>(length)) << std::endl;
    }
}

struct Stage {
    const char* name;   // as the error lines begin: "Vertex shader file ..."
    const char* suffix; // of the stage's file
};

Stage stageOf(GLenum type) {
    switch (type) {
    case GL_VERTEX_SHADER:
        return {"Vertex", ".vert"};
    case GL_GEOMETRY_SHADER:
        return {"Geometry", ".geom"};
    default:
        return {"Fragment", ".frag"};
    }
}

// GLSL wants "#version" first, so the defines go on the line after it.
std::string withDefines(const std::string& source, const std::string& defines) {
    if (defines.empty()) {
        return source;
    }
    const std::size_t secondLine = source.find('\n');
    if (secondLine == std::string::npos) {
        return source + '\n' + defines;
    }
    std::string text = source;
    text.insert(secondLine + 1, defines);
    return text;
}

} // namespace

ShaderProgram::ShaderProgram(std::string path, int id, std::string defines)
    : path(std::move(path)), defines(std::move(defines)), id(id) {
    build();
}

ShaderProgram::~ShaderProgram() {
    if (programId != 0) {
        glDeleteProgram(programId);
    }
    if (vertexShader != 0) {
        glDeleteShader(vertexShader);
    }
    if (hasGeometryShader && geometryShader != 0) {
        glDeleteShader(geometryShader);
    }
    if (fragmentShader != 0) {
        glDeleteShader(fragmentShader);
    }
}

GLint ShaderProgram::getUniformLocation(const std::string& name) const {
    if (programId == 0) {
        return -1;
    }
    return glGetUniformLocation(programId, name.c_str());
}

GLint ShaderProgram::getAttribLocation(const std::string& name) const {
    if (programId == 0) {
        return -1;
    }
    return glGetAttribLocation(programId, name.c_str());
}

void ShaderProgram::build() {
    if (collection::readWholeFile(path + ".vert", vertexSource) != 0) {
        std::cerr << "Vertex shader file " << path << ".vert does not exist." << std::endl;
        return;
    }
    if (collection::readWholeFile(path + ".geom", geometrySource) == 0) {
        std::cout << "Geometry shader file " << path << ".geom loaded." << std::endl;
    } else {
        hasGeometryShader = false;
    }
    if (collection::readWholeFile(path + ".frag", fragmentSource) != 0) {
        std::cerr << "Fragment shader file " << path << ".frag does not exist." << std::endl;
        return;
    }
    vertexShader = compileShader(GL_VERTEX_SHADER, vertexSource);
    if (vertexShader == 0) {
        return;
    }
    checkGLError();
    if (hasGeometryShader) {
        geometryShader = compileShader(GL_GEOMETRY_SHADER, geometrySource);
        if (geometryShader == 0) {
            return;
        }
        checkGLError();
    }
    fragmentShader = compileShader(GL_FRAGMENT_SHADER, fragmentSource);
    if (fragmentShader == 0) {
        return;
    }
    checkGLError();
    linkProgram();
    if (programId != 0) {
        linked = true;
        checkGLError();
    }
}

std::string ShaderProgram::stageFiles() const {
    std::string files = path + stageOf(GL_VERTEX_SHADER).suffix;
    if (hasGeometryShader) {
        files += ", " + path + stageOf(GL_GEOMETRY_SHADER).suffix;
    }
    return files + ", " + path + stageOf(GL_FRAGMENT_SHADER).suffix;
}

GLuint ShaderProgram::compileShader(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    if (shader == 0) {
        std::cerr << "Could not create shader object." << std::endl;
        return 0;
    }
    const std::string text = withDefines(source, defines);
    const GLchar* start = text.c_str();
    const auto length = static_cast<GLint>(text.size());
    glShaderSource(shader, 1, &start, &length);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        std::cout << "Shader compilation failed." << std::endl;
        printInfoLog(shader, glGetShaderInfoLog);
        // The log above names no file; a damaged stage has to be found.
        const Stage stage = stageOf(type);
        std::cerr << stage.name << " shader file " << path << stage.suffix << " does not compile."
                  << std::endl;
    }
    checkGLError();
    return shader;
}

void ShaderProgram::linkProgram() {
    programId = glCreateProgram();
    glAttachShader(programId, vertexShader);
    if (hasGeometryShader) {
        glAttachShader(programId, geometryShader);
    }
    glAttachShader(programId, fragmentShader);
    glLinkProgram(programId);
    GLint status = GL_FALSE;
    glGetProgramiv(programId, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        std::cout << "Shader linking failed. ID " << id << " path " << path << std::endl;
        printInfoLog(programId, glGetProgramInfoLog);
        // A stage that compiles can still break the link (half a file may
        // lack its main), so the line names every file the program is made of.
        std::cerr << "Shader program " << path << " does not link: " << stageFiles() << "."
                  << std::endl;
        glDeleteProgram(programId);
        programId = 0;
    }
    checkGLError();
}
