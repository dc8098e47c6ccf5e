#version 150

uniform sampler2D tex0; // the sprite sheet

in vec2 spriteUv;
in vec3 spriteTint;
in float spriteAlpha;

out vec4 fragColor;

void main() {
    vec4 sprite = texture(tex0, spriteUv);
    fragColor = vec4(sprite.rgb * spriteTint, sprite.a * spriteAlpha);
}
