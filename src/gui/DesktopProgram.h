// The start of a desktop program: the single-instance guard, the program's context and
// settings, the help book, the main window, and the message loop until the main window closes.
// A second copy hands over to the running one and ends without a window.
#pragma once

#include "prefs/CurrentSettings.h"

namespace pagehold {

// Runs the program of the product; the exit status of the process.
int RunDesktopProgram(int argc, char** argv, Product product);

}  // namespace pagehold
