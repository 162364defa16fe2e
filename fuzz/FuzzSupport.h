// What the fuzz programs share: a headless QApplication made once, messages
// of the library kept quiet, and failures of a checked property that print
// their reason and abort, which libFuzzer records as a crash with its input.
#pragma once

namespace FuzzSupport {
// Creates the offscreen application on the first call.
void Start();
}
