// Lets a windowed program answer on the console it was started from.
#pragma once

// On Windows a GUI program has no console of its own: when started from one and its output is
// not redirected, its standard output and error go to that console. Elsewhere nothing to do.
void AttachToParentConsole();
