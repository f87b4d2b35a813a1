// ventora-agwpe-sim: an AGWPE engine stand-in on loopback, so Ventora can be tried without a radio.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "agwpe_simulator.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "AGWPE-protocol engine simulator on 127.0.0.1: answers R and G, and after m streams the "
      "monitored traffic of a simulated weather station and its neighbours."));
  parser.addHelpOption();
  const QCommandLineOption port({"p", "port"}, "TCP port (default 8000).", "N", "8000");
  const QCommandLineOption call("call", "Simulated station call (default IW2XYZ).", "CALL",
                                "IW2XYZ");
  const QCommandLineOption interval("interval-ms", "Time between packets (default 4000).", "MS",
                                    "4000");
  const QCommandLineOption seed("seed", "Random seed (default 1).", "N", "1");
  const QCommandLineOption replay("replay", "Send the TNC2 lines of FILE, in a loop.", "FILE");
  const QCommandLineOption flood("flood", "After m, send N frames as fast as the client reads.",
                                 "N", "0");
  parser.addOptions({port, call, interval, seed, replay, flood});
  parser.process(app);
  SimulatorOptions options;
  options.port = static_cast<quint16>(parser.value(port).toUInt());
  options.call = parser.value(call).toUpper().toLatin1();
  options.intervalMs = std::max(1, parser.value(interval).toInt());
  options.seed = parser.value(seed).toUInt();
  options.replayFile = parser.value(replay);
  options.flood = parser.value(flood).toInt();
  AgwpeSimulator simulator(options);
  QString error;
  if (!simulator.Listen(&error)) {
    std::fprintf(stderr, "ventora-agwpe-sim: %s\n", qPrintable(error));
    return 1;
  }
  std::fprintf(stderr, "ventora-agwpe-sim: listening on 127.0.0.1:%u, station %s\n",
               unsigned(options.port), options.call.constData());
  return QCoreApplication::exec();
}
