#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "tcp_keepalive.h"

namespace {

bool SetInt(int fd, int level, int name, int value, QString* error) {
  if (setsockopt(fd, level, name, &value, sizeof value) == 0) return true;
  if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
  return false;
}

std::optional<int> GetInt(int fd, int level, int name) {
  int value = 0;
  socklen_t size = sizeof value;
  if (getsockopt(fd, level, name, &value, &size) != 0) return std::nullopt;
  return value;
}

}  // namespace

bool EnableTcpKeepAlive(qintptr descriptor, const KeepAliveTimers& t, QString* error) {
  const int fd = int(descriptor);
  return SetInt(fd, IPPROTO_TCP, TCP_KEEPIDLE, t.idleSeconds, error) &&
         SetInt(fd, IPPROTO_TCP, TCP_KEEPINTVL, t.intervalSeconds, error) &&
         SetInt(fd, IPPROTO_TCP, TCP_KEEPCNT, t.probes, error) &&
         SetInt(fd, SOL_SOCKET, SO_KEEPALIVE, 1, error);
}

std::optional<KeepAliveReadBack> ReadTcpKeepAlive(qintptr descriptor) {
  const int fd = int(descriptor);
  const std::optional<int> on = GetInt(fd, SOL_SOCKET, SO_KEEPALIVE);
  if (!on) return std::nullopt;
  return KeepAliveReadBack{*on != 0, GetInt(fd, IPPROTO_TCP, TCP_KEEPIDLE),
                           GetInt(fd, IPPROTO_TCP, TCP_KEEPINTVL),
                           GetInt(fd, IPPROTO_TCP, TCP_KEEPCNT)};
}
