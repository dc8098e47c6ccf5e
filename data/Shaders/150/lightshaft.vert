#version 150

// The effect plane's corners are the screen's corners, so its positions are
// taken as clip coordinates and the camera matrices of the scene walk are
// ignored. It sits on the near plane: the depth test then never hides it
// behind what the scene already drew into the target.

in vec3 in_Position;

out vec2 screenUv; // 0..1 across the target, v up like the frame-buffer textures

void main() {
    screenUv = in_Position.xy * 0.5 + 0.5;
    gl_Position = vec4(in_Position.xy, -1.0, 1.0);
}
