#include "render/text_overlay.h"

#include "collection/image_texture.h"
#include "collection/shader_collection.h"
#include "model/attribute_binding.h"
#include "render/text_layout.h"
#include "render/texture_unit.h"

#include <glm/gtc/type_ptr.hpp>

#include <map>

using collection::AttribSlot;
using collection::UniformSlot;

namespace {

constexpr int kFontUnit = 0;
constexpr GLsizeiptr kBytesPerPoint = 3 * sizeof(float);

void upload(GLuint buffer, const std::vector<float>& data, int count) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, count * kBytesPerPoint, data.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// A dozen texts draw from the same large sheet: one texture for all of them
// spares a read, an upload and the sheet's size in memory for every text
// after the first. The sheet's pixels are dropped once uploaded.
struct SharedSheet {
    GLuint texture = 0;
    int users = 0; // overlays holding the texture; the last one deletes it
};

std::map<std::string, SharedSheet>& sharedSheets() {
    static std::map<std::string, SharedSheet> sheets;
    return sheets;
}

GLuint createSheetTexture(const platform::Image& image) {
    const GLuint texture = collection::createImageTexture(image, GL_NEAREST, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

// A missing sheet is not shared, so every overlay still reports it.
GLuint acquireSheet(const std::string& path) {
    auto shared = sharedSheets().find(path);
    if (shared != sharedSheets().end()) {
        ++shared->second.users;
        return shared->second.texture;
    }
    platform::Image image;
    if (!collection::readTextureImage(path, image, "particle ")) {
        // Text still draws, only without glyphs: one transparent texel
        // instead of a texture made from no pixels.
        image.width = 1;
        image.height = 1;
        image.format = GL_RGBA;
        image.pixels.assign(4, 0);
        return createSheetTexture(image);
    }
    const GLuint texture = createSheetTexture(image);
    sharedSheets()[path] = {texture, 1};
    return texture;
}

void releaseSheet(const std::string& path, GLuint texture) {
    auto shared = sharedSheets().find(path);
    if (shared == sharedSheets().end() || shared->second.texture != texture) {
        glDeleteTextures(1, &texture);
    } else if (--shared->second.users == 0) {
        glDeleteTextures(1, &texture);
        sharedSheets().erase(shared);
    }
}

} // namespace

TextOverlay::TextOverlay(const std::string& sheetPath) : fontSheetPath(sheetPath) {
    glGenBuffers(1, &positionBuffer);
    glGenBuffers(1, &fontBuffer);
    fontTexture = acquireSheet(fontSheetPath);
}

TextOverlay::~TextOverlay() {
    releaseSheet(fontSheetPath, fontTexture);
    glDeleteBuffers(1, &positionBuffer);
    glDeleteBuffers(1, &fontBuffer);
}

void TextOverlay::setText(std::string text, int line, float size) {
    displayTime = 0.0;
    visible = true;
    count = layoutText(text, line, size, positions, fontData);
    upload(positionBuffer, positions, count);
    upload(fontBuffer, fontData, count);
}

void TextOverlay::draw(const glm::mat4& modelView, const glm::mat4& projection,
                       ShaderProgram* program, const glm::vec4& tint) {
    if (program == nullptr) {
        return;
    }
    const auto* shaders = collection::ShaderCollection::getInstance();
    const collection::UniformRow& uniforms = shaders->uniforms(program->getId());
    const collection::AttribRow& attribs = shaders->attribs(program->getId());
    glUseProgram(program->getProgramId());

    glUniform1i(uniforms[UniformSlot::fontTexture], kFontUnit);
    activateTextureUnit(kFontUnit);
    glBindTexture(GL_TEXTURE_2D, fontTexture);
    glUniformMatrix4fv(uniforms[UniformSlot::mvMat], 1, GL_FALSE, glm::value_ptr(modelView));
    glUniformMatrix4fv(uniforms[UniformSlot::projMat], 1, GL_TRUE, glm::value_ptr(projection));
    glUniform4fv(uniforms[UniformSlot::tint], 1, glm::value_ptr(tint));

    model::AttributeBinding binding;
    binding.bind(attribs[AttribSlot::inPosition], positionBuffer, 3);
    binding.bind(attribs[AttribSlot::inFont], fontBuffer, 3);
    glDrawArrays(GL_POINTS, 0, count);

    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    binding.disableAll();
    glUseProgram(0);
}
