#include <winsock2.h>
// winsock2.h first
#include <mstcpip.h>
#include <ws2tcpip.h>

#include "tcp_keepalive.h"

namespace {

QString LastError() {
  return QStringLiteral("Winsock error %1").arg(WSAGetLastError());
}

std::optional<int> GetInt(SOCKET s, int level, int name) {
  DWORD value = 0;
  int size = sizeof value;
  if (getsockopt(s, level, name, reinterpret_cast<char*>(&value), &size) != 0) return std::nullopt;
  return int(value);
}

}  // namespace

bool EnableTcpKeepAlive(qintptr descriptor, const KeepAliveTimers& t, QString* error) {
  const SOCKET s = SOCKET(descriptor);
  tcp_keepalive values{1, ULONG(t.idleSeconds) * 1000, ULONG(t.intervalSeconds) * 1000};
  DWORD returned = 0;
  if (WSAIoctl(s, SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0, &returned, nullptr,
               nullptr) != 0) {
    if (error) *error = LastError();
    return false;
  }
#ifdef TCP_KEEPCNT
  // Windows 10 1703 and later count the probes; older systems give up after a fixed ten.
  const DWORD probes = DWORD(t.probes);
  setsockopt(s, IPPROTO_TCP, TCP_KEEPCNT, reinterpret_cast<const char*>(&probes), sizeof probes);
#endif
  return true;
}

std::optional<KeepAliveReadBack> ReadTcpKeepAlive(qintptr descriptor) {
  const SOCKET s = SOCKET(descriptor);
  const std::optional<int> on = GetInt(s, SOL_SOCKET, SO_KEEPALIVE);
  if (!on) return std::nullopt;
  KeepAliveReadBack back{*on != 0, std::nullopt, std::nullopt, std::nullopt};
#if defined(TCP_KEEPIDLE) && defined(TCP_KEEPINTVL) && defined(TCP_KEEPCNT)
  back.idleSeconds = GetInt(s, IPPROTO_TCP, TCP_KEEPIDLE);
  back.intervalSeconds = GetInt(s, IPPROTO_TCP, TCP_KEEPINTVL);
  back.probes = GetInt(s, IPPROTO_TCP, TCP_KEEPCNT);
#endif
  return back;
}
