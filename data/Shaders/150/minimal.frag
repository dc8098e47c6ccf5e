#version 150
// Draw mode 1 marks the light source (the moon) white among black occluders;
// overlay shapes (the crosshair) are drawn bright so they read on any scene.

uniform int mode;

flat in int overlay;

out vec4 fragColor;

const vec3 overlayColour = vec3(1.0, 0.97, 0.85);

void main() {
    if (overlay == 1) {
        fragColor = vec4(overlayColour, 1.0);
    } else if (mode == 1) {
        fragColor = vec4(1.0);
    } else {
        fragColor = vec4(0.0, 0.0, 0.0, 1.0);
    }
}
