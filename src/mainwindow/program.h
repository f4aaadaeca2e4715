#pragma once

// The whole program: single instance, windows, start-up, the event loop.
// Returns the process's exit status.
int runquillmoter(int argc, char *argv[]);

// Names the program for the desktop. No display name is set: the window
// system would add it to every title, and titles are exactly the captions.
void setupapplication();
