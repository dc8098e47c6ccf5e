#version 150
// The node's picking colour exactly as given: the read-back compares bytes.

uniform vec3 color;

out vec4 fragColor;

void main() {
    fragColor = vec4(color, 1.0);
}
