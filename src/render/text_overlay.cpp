#include "render/text_overlay.h"

#include "collection/image_texture.h"
#include "collection/shader_collection.h"
#include "model/attribute_binding.h"
#include "render/text_layout.h"
#include "render/texture_unit.h"

#include <glm/gtc/type_ptr.hpp>

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

} // namespace

TextOverlay::TextOverlay(const std::string& fontSheetPath) {
    glGenBuffers(1, &positionBuffer);
    glGenBuffers(1, &fontBuffer);
    loadFontSheet(fontSheetPath);
    fontTexture = collection::createImageTexture(image, GL_NEAREST, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TextOverlay::~TextOverlay() {
    glDeleteTextures(1, &fontTexture);
    glDeleteBuffers(1, &positionBuffer);
    glDeleteBuffers(1, &fontBuffer);
}

void TextOverlay::loadFontSheet(const std::string& path) {
    if (collection::readTextureImage(path, image, "particle ")) {
        return;
    }
    // Text still draws, only without glyphs: one transparent texel instead of
    // a texture made from no pixels.
    image.width = 1;
    image.height = 1;
    image.format = GL_RGBA;
    image.pixels.assign(4, 0);
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
