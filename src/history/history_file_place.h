// Where WxHistory.sqlite lives, the same for the window, ventora-cli and the tests: beside the
// program when its folder is no system folder and can be written, else in the user's data folder.
#pragma once

#include <QString>

inline constexpr char HistoryFileName[] = "WxHistory.sqlite";

// The user's data folder for Ventora (~/.local/share/Ventora, %LOCALAPPDATA%\Ventora), named
// the same whichever of the programs asks.
QString HistoryUserFolder();

// The history file for a program in `programFolder`, trying the folder (and making `userFolder`
// when it is needed). A tool in the tools/ folder of a build tree uses the window's folder above
// it, so the programs of one build share one file.
QString ChooseHistoryFile(const QString& programFolder, const QString& userFolder);

// The history file of the running program for this user.
QString DefaultHistoryFile();
