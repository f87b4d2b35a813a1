// Ends the event loop in an orderly way when the system asks the program to stop (SIGTERM and
// SIGINT on Linux, console close and Ctrl+C on Windows), so that closing handlers still run.
#pragma once

// Installs the handlers once; each request becomes a queued QCoreApplication::quit().
void QuitOnTerminationSignals();
