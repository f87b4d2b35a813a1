#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include <QCoreApplication>
#include <QSocketNotifier>

#include "termination_signals.h"

namespace {

// The handler may only write to a descriptor; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

// The write end never blocks: when it is full, a request is already waiting to be read. The
// interrupted code may be about to read errno, which a failed write would change.
void OnSignal(int) {
  const int savedErrno = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

void QuitOnTerminationSignals() {
  if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  ::fcntl(signalPipe[1], F_SETFL, ::fcntl(signalPipe[1], F_GETFL) | O_NONBLOCK);
  auto* notifier =
      new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
    char byte;
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
    QCoreApplication::quit();
  });
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
}
