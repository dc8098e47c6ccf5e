#include "app/settings.h"

int glMajorVersion = 2;
int glMinorVersion = 1;
bool forwardcontextflag = true;
bool showfps = false;
bool demoMode = false;
int offsetMs = 0;
int windowWidth = 0;
int windowHeight = 0;

void setDefaultSettings() {
    glMajorVersion = 2;
    glMinorVersion = 1;
    forwardcontextflag = true;
    showfps = false;
    demoMode = false;
    offsetMs = 0;
    windowWidth = 0;
    windowHeight = 0;
}
