#pragma once

// The whole program: single instance, windows, start-up, the event loop.
// Returns the process's exit status.
int runquillmoter(int argc, char *argv[]);
