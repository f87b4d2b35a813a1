// A small AGWPE engine on loopback: answers "R" and "G", and after "m" monitors simulated traffic.
#pragma once

#include <QFile>
#include <QList>
#include <QTcpServer>
#include <QTimer>
#include <list>
#include <optional>

#include "frame_assembler.h"
#include "weather_simulation.h"

struct SimulatorOptions {
  quint16 port = 8000;
  QByteArray call = "IW2XYZ";
  int intervalMs = 4000;  // between two packets on the air
  unsigned seed = 1;
  QString replayFile;    // TNC2 lines to send instead of the simulated station
  int flood = 0;         // after "m", this many frames as fast as the client takes them
  int floodEvery = 100;  // one frame in this many comes from the watched station
};

class AgwpeSimulator : public QObject {
  Q_OBJECT
 public:
  explicit AgwpeSimulator(const SimulatorOptions& options);
  ~AgwpeSimulator() override;
  bool Listen(QString* error);

 private:
  struct Client {
    QTcpSocket* socket;
    FrameAssembler requests;
    bool monitoring = false;
    int floodLeft = 0;
  };
  void Accept();
  void Serve(Client& client);
  void Answer(Client& client, QChar kind);
  void OnAir();
  std::optional<SimulatedPacket> NextPacket();
  void Broadcast(const SimulatedPacket& packet);
  void Flood(Client& client);

  SimulatorOptions options_;
  QTcpServer server_;
  QTimer air_;
  WeatherSimulation simulation_;
  std::list<Client> clients_;
  QList<QByteArray> replay_;
  qsizetype replayAt_ = 0;
  int tick_ = 0;
};
