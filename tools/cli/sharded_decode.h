// Decodes a log of whole packets on several threads: all packets of one station on one thread,
// in their order, so that every trend is what one thread makes; the output in the input's order.
#pragma once

#include <QtGlobal>
#include <cstdio>
#include <functional>

#include "checked_output.h"
#include "decode_command.h"
#include "line_reader.h"

// Run by the helper thread that finishes a batch last, before it wakes the reading thread; a
// test stretches that moment to look for a lost or early wake-up.
using LastShareHook = std::function<void()>;

// Decodes every line of `reader` onto `out` with `threads` decoders (at least 2), until the
// input ends or a write fails; returns how many lines were not packets.
quint64 DecodeOnThreads(const DecodeOptions& options, int threads, LineReader& reader,
                        CheckedOutput& out, const LastShareHook& lastShareDone = {});
