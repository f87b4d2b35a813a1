// TCP keep-alive with short timers, so that an engine that vanished without closing (power cut,
// cable pulled) is noticed as lost within about two minutes instead of never.
#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

struct KeepAliveTimers {
  int idleSeconds;      // silence before the first probe
  int intervalSeconds;  // between unanswered probes
  int probes;           // unanswered probes after which the connection is dead
};

// 60 s of silence, then a probe every 10 s; six unanswered ones end the connection (120 s).
inline constexpr KeepAliveTimers EngineKeepAlive{60, 10, 6};

// Turns keep-alive on for a connected socket with these timers. The probes are TCP's own empty
// segments: the engine's program never sees them. False, with the system's reason, if refused.
bool EnableTcpKeepAlive(qintptr descriptor, const KeepAliveTimers& timers, QString* error);

// What the system reports back for a socket; timers it cannot report stay empty.
struct KeepAliveReadBack {
  bool on = false;
  std::optional<int> idleSeconds, intervalSeconds, probes;
};
std::optional<KeepAliveReadBack> ReadTcpKeepAlive(qintptr descriptor);
