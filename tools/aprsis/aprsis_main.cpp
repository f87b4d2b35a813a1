// ventora-aprsis: an AGWPE engine fed from APRS-IS instead of a radio, so that Ventora can watch
// a station over the internet, unchanged.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <optional>

#include "agwpe_server.h"
#include "aprsis_client.h"
#include "command_line.h"
#include "termination_signals.h"

namespace {

int Fail(const QString& text) {
  std::fprintf(stderr, "ventora-aprsis: %s\n", qPrintable(text));
  return 2;
}

// "HOST" or "HOST:PORT".
bool ReadServer(const QString& text, AprsIsOptions& options) {
  const qsizetype colon = text.lastIndexOf(u':');
  if (colon < 0) {
    options.host = text;
    return !text.isEmpty();
  }
  bool ok = false;
  const uint port = text.mid(colon + 1).toUInt(&ok);
  options.host = text.left(colon);
  options.port = quint16(port);
  return ok && port > 0 && port < 65536 && !options.host.isEmpty();
}

// A TCP port to serve: a whole number 1 to 65535, nothing else.
std::optional<quint16> ReadPort(const QString& text) {
  bool ok = false;
  const uint port = text.toUInt(&ok);
  if (!ok || port < 1 || port > 65535) return std::nullopt;
  return quint16(port);
}

void Report(const AprsIsClient& client, const AgwpeServer& server) {
  const AprsIsDropped& d = client.Dropped();
  std::fprintf(
      stderr,
      "ventora-aprsis: lines dropped: %llu too long, %llu not packets, %llu not text, "
      "%llu cut off; frames dropped for slow clients: %llu\n",
      static_cast<unsigned long long>(d.tooLong), static_cast<unsigned long long>(d.notAPacket),
      static_cast<unsigned long long>(d.notText), static_cast<unsigned long long>(d.cutOff),
      static_cast<unsigned long long>(server.DroppedFrames()));
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "An AGWPE engine fed from APRS-IS: Ventora connects to it as to a radio engine and sees "
      "the packets of CALL (receive-only; nothing is ever sent to the network but the login)."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("CALL"), QStringLiteral("The station to watch."));
  const QCommandLineOption login("login", "Your own call, which APRS-IS asks for.", "MYCALL");
  const QCommandLineOption server("server", "APRS-IS server (default rotate.aprs2.net:14580).",
                                  "HOST[:PORT]", "rotate.aprs2.net:14580");
  const QCommandLineOption port("port", "AGWPE port to serve (default 8000).", "N", "8000");
  const QCommandLineOption listen("listen", "Address to serve on (default 127.0.0.1).", "ADDR",
                                  "127.0.0.1");
  const QCommandLineOption filter("filter", "Server filter (default b/CALL).", "TEXT");
  QCommandLineOption silence("silence-ms", "Reconnect after this long without a line.", "MS",
                             "60000");
  QCommandLineOption backoff("backoff-ms", "First reconnection delay, doubled up to 60 times.",
                             "MS", "1000");
  silence.setFlags(QCommandLineOption::HiddenFromHelp);  // for tests
  backoff.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOptions({login, server, port, listen, filter, silence, backoff});
  parser.process(app);

  if (parser.positionalArguments().size() != 1)
    return Fail(QStringLiteral("give one CALL to watch"));
  if (parser.value(login).trimmed().isEmpty())
    return Fail(QStringLiteral("--login MYCALL is required: APRS-IS asks for your own call"));
  const QByteArray call = UpperCaseCall(parser.positionalArguments()[0]).toLatin1();
  AprsIsOptions options;
  if (!ReadServer(parser.value(server), options))
    return Fail(QStringLiteral("--server wants HOST or HOST:PORT"));
  options.login = UpperCaseCall(parser.value(login).trimmed()).toLatin1();
  options.filter = parser.isSet(filter) ? parser.value(filter).toLatin1() : "b/" + call;
  options.silenceMs = std::max(1, parser.value(silence).toInt());
  options.backoffFirstMs = std::max(1, parser.value(backoff).toInt());
  options.backoffMostMs = 60 * options.backoffFirstMs;
  const QHostAddress address(parser.value(listen));
  if (address.isNull()) return Fail(QStringLiteral("--listen wants an IP address"));
  const std::optional<quint16> agwPort = ReadPort(parser.value(port));
  if (!agwPort) return Fail(QStringLiteral("--port wants a whole number from 1 to 65535"));

  AgwpeServer agwpe("APRS-IS " + options.host.toLatin1() + ':' + QByteArray::number(options.port));
  QString error;
  if (!agwpe.Listen(address, *agwPort, &error)) return Fail(error);
  AprsIsClient aprsis(options, stderr);
  QObject::connect(&aprsis, &AprsIsClient::packetReceived, &agwpe, &AgwpeServer::Send);
  QuitOnTerminationSignals();
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] { Report(aprsis, agwpe); });
  std::fprintf(stderr, "ventora-aprsis: AGWPE engine on %s:%u, watching %s\n",
               qPrintable(address.toString()), unsigned(*agwPort), call.constData());
  aprsis.Start();
  return QCoreApplication::exec();
}
