#version 150
// The world's look: the main light and up to four flashes per pixel, the
// model's texture levels, a reflection of the space cube map, and one look per
// cue state so a player reads it at a glance:
//   4 built: dull rust; 6 announced: warm glow pulsing; 7 in its window:
//   bright with a cyan-white rim; 8 missed: dark red-grey; 5 the background
//   impostor sphere: bright cool metal.
// Texture levels: tex0 is the colour; a model with specular and normal levels
// ("_s", "_n") has them in tex1 and tex2. Units 2 and 3 hold nothing for a
// model without them, which shows as a texture no larger than one texel.
//
// The game also builds this program once per look of its plain models with
// LOOK defined as the one mode it draws, and with NO_NORMAL_MAP for models
// without a normal level: a software renderer runs every branch for every
// pixel, so the looks a draw cannot take, and the normal map it does not
// have, are left out rather than skipped. The morphing cues change their look
// in play and draw with the whole program.

uniform sampler2D tex0;
uniform sampler2D tex1;
uniform sampler2D tex2;
uniform samplerCube envMap;
uniform mat4 vMat;
uniform int mode;
uniform int nrLights;
uniform int updatetime;
uniform int interpolate;
uniform float dt;
uniform float energy[5];
uniform vec3 lightTint; // a song's course colours the main light; (1, 1, 1) otherwise

in vec3 eyePosition;
in vec3 eyeNormal;
in vec2 texCoord;
in vec3 eyeLight[5];

out vec4 fragColor;

const int maxLights = 5;
const float ambient = 0.14;
// A faint light from the eye keeps the sides turned away from the lights
// readable; cues get more of it, since the path flies towards the main light
// and would show every cue ahead as a black disc.
const float worldFill = 0.18;
const float cueFill = 0.5;
const vec3 mainLightColour = vec3(1.0, 0.96, 0.9);
const vec3 flashColour = vec3(1.0, 0.72, 0.4);
const float flashStrength = 3.0;
const float flashRange = 40.0; // a flash lights a cue's surroundings, not the level
const float plainSpecular = 0.2;
const vec3 untexturedColour = vec3(0.7);

bool hasLevel(sampler2D level) {
    return textureSize(level, 0).x > 1;
}

// Bends the normal by a tangent-space normal map, with the tangent frame
// taken from the screen-space change of position and texture coordinates
// (the models carry no tangents).
vec3 mappedNormal(vec3 n) {
    vec3 dp1 = dFdx(eyePosition);
    vec3 dp2 = dFdy(eyePosition);
    vec2 duv1 = dFdx(texCoord);
    vec2 duv2 = dFdy(texCoord);
    vec3 dp2perp = cross(dp2, n);
    vec3 dp1perp = cross(n, dp1);
    vec3 t = dp2perp * duv1.x + dp1perp * duv2.x;
    vec3 b = dp2perp * duv1.y + dp1perp * duv2.y;
    float scale = inversesqrt(max(max(dot(t, t), dot(b, b)), 1.0e-20));
    vec3 mapped = texture(tex2, texCoord).xyz * 2.0 - 1.0;
    return normalize(mat3(t * scale, b * scale, n) * mapped);
}

// x to the shininess (48) by squaring: a few products where pow costs a
// software renderer a logarithm and an exponential on every pixel.
float shininessPower(float x) {
    float x4 = x * x * x * x;
    float x16 = x4 * x4 * x4 * x4;
    return x16 * x16 * x16;
}

// One light's diffuse and highlight at this pixel, weighted.
void addLight(vec3 l, vec3 n, vec3 toEye, vec3 colour, float weight, inout vec3 diffuse,
              inout vec3 shine) {
    float facing = max(dot(n, l), 0.0);
    diffuse += colour * weight * facing;
    if (facing > 0.0) {
        shine += colour * weight * shininessPower(max(dot(n, normalize(l + toEye)), 0.0));
    }
}

float luminance(vec3 c) {
    return dot(c, vec3(0.299, 0.587, 0.114));
}

void main() {
#ifdef LOOK
    const int look = LOOK;
#else
    int look = mode;
#endif
    vec4 base = hasLevel(tex0) ? texture(tex0, texCoord) : vec4(untexturedColour, 1.0);
    float specularLevel = hasLevel(tex1) ? texture(tex1, texCoord).r : plainSpecular;
    vec3 n = normalize(eyeNormal);
    if (!gl_FrontFacing) {
        n = -n;
    }
#ifndef NO_NORMAL_MAP
    if (hasLevel(tex2)) {
        n = mappedNormal(n);
    }
#endif
    vec3 toEye = normalize(-eyePosition);

    vec3 diffuse = vec3(0.0);
    vec3 shine = vec3(0.0);
    // The main light is always there; it is lit outside the loop, so only
    // the flashes pay for the loop's indexing and their falloff. Software
    // renderers run a loop's body once more than it is taken: with no flash,
    // once, for nothing.
    vec3 toMain = eyeLight[0] - eyePosition;
    addLight(toMain / max(length(toMain), 1.0e-4), n, toEye, mainLightColour * lightTint,
             clamp(energy[0], 0.0, 1.0), diffuse, shine);
    for (int k = 1; k < maxLights; ++k) {
        if (k >= nrLights) {
            break;
        }
        vec3 toLight = eyeLight[k] - eyePosition;
        float distance = max(length(toLight), 1.0e-4);
        float reach = distance / flashRange;
        float weight = clamp(energy[k], 0.0, 1.0) * (flashStrength / (1.0 + reach * reach));
        addLight(toLight / distance, n, toEye, flashColour, weight, diffuse, shine);
    }

    bool cue = look == 4 || (look >= 6 && look <= 8);
    diffuse += vec3((cue ? cueFill : worldFill) * max(dot(n, toEye), 0.0));

    // The cube map is indexed in world directions; vMat only turns and moves.
    vec3 reflected = transpose(mat3(vMat)) * reflect(-toEye, n);
    vec3 environment = texture(envMap, reflected).rgb;
    float edge = 1.0 - max(dot(n, toEye), 0.0);
    float rim = edge * edge;

    // A course's light colours the shadows too, so the whole world takes on
    // a section's colour and pulses with the beat.
    vec3 colour = base.rgb * (ambient * lightTint + diffuse) + shine * specularLevel +
                  environment * (0.05 + 0.25 * specularLevel);

    if (look == 4) {
        vec3 lit = base.rgb * (ambient + diffuse);
        colour = (mix(vec3(luminance(lit)), lit, 0.6) * vec3(0.85, 0.7, 0.55) +
                  shine * 0.08) * lightTint;
    } else if (look == 6) {
        float beat = 0.75 + 0.25 * float(updatetime & 1);
        float pulse = beat * (0.55 + 0.45 * sin(3.14159265 * (interpolate == 1 ? dt : 0.5)));
        colour = colour * 0.8 + vec3(1.0, 0.5, 0.12) * (0.45 + 0.6 * rim) * pulse;
    } else if (look == 7) {
        colour = colour * 1.25 + vec3(0.1, 0.25, 0.3) + vec3(0.55, 1.0, 1.0) * rim * 1.6;
    } else if (look == 8) {
        colour = vec3(luminance(colour)) * vec3(0.5, 0.16, 0.14) + vec3(0.06, 0.0, 0.0);
    } else if (look == 5) {
        colour = colour * 1.4 + environment * 0.3 + vec3(0.6, 0.75, 1.0) * rim;
    }
    fragColor = vec4(colour, base.a);
}
