// Decodes whole packets as the window would decide on them and show them, each station with
// trends of its own, one JSON line for each decoded report.
#pragma once

#include <QString>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "agw_frame.h"
#include "caption_format.h"
#include "decode_command.h"
#include "display_state.h"
#include "json_writer.h"
#include "tnc2_packet.h"

class WholePacketDecoder {
 public:
  explicit WholePacketDecoder(const DecodeOptions& options);

  // Appends the JSON line of the packet, "\n" ended, when the window would decode it; returns
  // whether it did.
  bool Decode(const Tnc2PacketView& packet, std::string& out);

 private:
  // A station is known by the bytes of its call in the frame (at most AgwCallFromSize), held in
  // the map's node next to its link: a look-up reads one line of memory, not a string elsewhere.
  struct CallKey {
    explicit CallKey(std::string_view call);
    bool operator==(const CallKey& other) const {
      return size == other.size && std::memcmp(bytes, other.bytes, size) == 0;
    }
    char bytes[AgwCallFromSize] = {};
    uint8_t size = 0;
  };
  // FNV-1a over a few bytes is plenty. It cannot throw and is cheap, so the map does not keep
  // it in each node (after the display state, on another line of memory).
  struct CallHash {
    size_t operator()(const CallKey& key) const noexcept;
  };

  const QString stationCall_;  // the one station decoded; empty: every station
  const CaptionFormat format_;
  Settings settings_;  // StationCall: the packet's station, the call the tooltip names
  std::unordered_map<CallKey, DisplayState, CallHash> stations_;  // trends never cross stations
  std::string monitorText_;
  JsonWriter json_;
};

// Which of `count` decoders the line goes to, read from the bytes before its first ">" (a
// packet's source call) before anyone reads the line whole: the same one for every packet of a
// station, whatever else the line holds. A line that is no packet goes to any one of them.
size_t DecoderForLine(std::string_view line, size_t count);
