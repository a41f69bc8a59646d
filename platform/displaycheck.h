#pragma once

#include <string>

// Whether Qt will find a display to open. Qt aborts the process when the X
// server is missing or does not answer; we would rather say so and exit.
// Returns an empty string when the display is usable, else the reason.
std::string DisplayProblem();
