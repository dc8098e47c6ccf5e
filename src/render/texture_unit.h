#pragma once

// Makes GL_TEXTURE0 + unit the active texture unit, asking the GL first so an
// already active unit costs no state change.
void activateTextureUnit(int unit);
