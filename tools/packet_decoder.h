// Decodes whole packets as the window would decide on them and show them, each station with
// trends of its own, one JSON line for each decoded report.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

#include "decode_command.h"
#include "display_state.h"
#include "json_writer.h"
#include "number_format.h"
#include "tnc2_packet.h"

class WholePacketDecoder {
 public:
  explicit WholePacketDecoder(const DecodeOptions& options);

  // Appends the JSON line of the packet, "\n" ended, when the window would decode it; returns
  // whether it did.
  bool Decode(const Tnc2PacketView& packet, std::string& out);

 private:
  // A call is a few characters: FNV-1a over them is plenty, and cheaper than a keyed hash.
  struct CallHash {
    size_t operator()(const QString& call) const;
  };

  const QString stationCall_;  // the one station decoded; empty: every station
  const NumberFormat fmt_;
  Settings settings_;
  std::unordered_map<QString, DisplayState, CallHash> stations_;  // trends never cross stations
  std::string monitorText_;
  QString from_;
  JsonWriter json_;
};

// The station a packet is kept under: its source call as an AGWPE header holds it (10 bytes).
std::string_view StationKey(const Tnc2PacketView& packet);

// Which of `count` decoders the packets of a station go to: the same one for every packet of it.
size_t DecoderFor(std::string_view stationKey, size_t count);
