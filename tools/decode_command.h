// `ventora-cli decode`: decodes report texts from standard input, one JSON line per input line.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdio>

#include "settings.h"

struct DecodeOptions {
  QLocale locale;
  Settings settings;  // alarm limits and switches, station call for the tooltip
};

// Reads `in` to its end; returns the process exit code.
int RunDecode(const DecodeOptions& options, std::FILE* in, std::FILE* out);
