#include <winsock2.h>
// winsock2.h first
#include <mstcpip.h>
#include <ws2tcpip.h>

#include "tcp_keepalive.h"

namespace {

// Options of IPPROTO_TCP from the Windows SDK (ws2ipdef.h) that MinGW's headers lack. Windows 10
// 1709 and later read them back; 1703 and later take the probe count.
constexpr int TcpKeepIdleOption = 3;    // TCP_KEEPALIVE: seconds of silence before the first probe
constexpr int TcpKeepCountOption = 16;  // TCP_KEEPCNT
constexpr int TcpKeepIntervalOption = 17;  // TCP_KEEPINTVL

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
  // Systems before Windows 10 1703 refuse the count and give up after a fixed ten probes
  // (160 s in all instead of 120 s): still a vanished engine is noticed.
  const DWORD probes = DWORD(t.probes);
  setsockopt(s, IPPROTO_TCP, TcpKeepCountOption, reinterpret_cast<const char*>(&probes),
             sizeof probes);
  return true;
}

std::optional<KeepAliveReadBack> ReadTcpKeepAlive(qintptr descriptor) {
  const SOCKET s = SOCKET(descriptor);
  const std::optional<int> on = GetInt(s, SOL_SOCKET, SO_KEEPALIVE);
  if (!on) return std::nullopt;
  return KeepAliveReadBack{*on != 0, GetInt(s, IPPROTO_TCP, TcpKeepIdleOption),
                           GetInt(s, IPPROTO_TCP, TcpKeepIntervalOption),
                           GetInt(s, IPPROTO_TCP, TcpKeepCountOption)};
}
