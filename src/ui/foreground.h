// Lets an alarm bring the main window to the front where the system would rather not.
#pragma once

// Windows refuses SetForegroundWindow to a program that the user is not using (the foreground
// lock) and flashes its taskbar button instead: an alarm that should raise the window would go
// unseen. On Windows this asks Qt to always activate the window; elsewhere nothing to do.
void LetAlarmsRaiseTheWindow();
