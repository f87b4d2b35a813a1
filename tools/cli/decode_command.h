// `ventora-cli decode`: decodes report texts from standard input, one JSON line per input line.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdio>

#include "settings.h"

struct DecodeOptions {
  QLocale locale;
  Settings settings;  // alarm limits and switches, station call for the tooltip, units
  QString language;   // the captions' language (--lang); empty: as written, Italian
  // Whole packets in ("SRC>DEST,PATH:info"): only what the window would decode reaches the
  // decoder, each station with trends of its own; StationCall, when set, selects one station.
  bool tnc2 = false;
  // Decoders working at once on whole packets, each with its own stations; 0: as many as the
  // machine has processors, up to MostDecodeThreads. The output is the same for any number.
  int threads = 0;
};

inline constexpr int MostDecodeThreads = 8;

// The decoders `threads` = 0 stands for on this machine.
int DefaultDecodeThreads();

// Reads `in` to its end, or until a write to `out` fails; returns the process exit code (1 and a
// message on `err` when output was lost). Lines too long to hold, and with tnc2 lines that are
// not packets, are skipped and counted on `err` at the end.
int RunDecode(const DecodeOptions& options, std::FILE* in, std::FILE* out, std::FILE* err = stderr);
