#pragma once
#include "cli/cli.h"

// Runs the window, or renders it for --screenshot. Returns the exit status.
int RunWindow(const CliOptionsT& options, int argc, char** argv);
