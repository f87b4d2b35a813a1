// Decodes a log of whole packets on several threads: all packets of one station on one thread,
// in their order, so that every trend is what one thread makes; the output in the input's order.
#pragma once

#include <QtGlobal>
#include <cstdio>

#include "decode_command.h"
#include "line_reader.h"

// Decodes every line of `reader` onto `out` with `threads` decoders (at least 2); returns how
// many lines were not packets.
quint64 DecodeOnThreads(const DecodeOptions& options, int threads, LineReader& reader,
                        std::FILE* out);
