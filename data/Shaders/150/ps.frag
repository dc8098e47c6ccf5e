#version 150
// A particle sprite: its texel tinted and faded. The sprite's alpha is its
// shape; for the background that is the impostor frame, whose cleared
// background has alpha 0 around the sphere.

uniform sampler2D particleTexture;

in vec2 spriteUv;
in vec4 spriteColour;

out vec4 fragColor;

void main() {
    vec4 texel = texture(particleTexture, spriteUv);
    float alpha = texel.a * spriteColour.a;
    // Empty corners leave the depth buffer alone.
    if (alpha < 0.01) {
        discard;
    }
    fragColor = vec4(texel.rgb * spriteColour.rgb, alpha);
}
