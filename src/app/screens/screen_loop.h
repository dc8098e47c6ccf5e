#pragma once

#include "app/screens/screen.h"

// Runs one screen until it names the one that follows, or the window closes
// (Quit). Between frames the window's events are handled every millisecond,
// so a tap's time is that of its event to within a millisecond or two even
// at a low frame rate.
ScreenName runScreen(Screen& screen);
