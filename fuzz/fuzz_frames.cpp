// Fuzz target: arbitrary byte streams, cut arbitrarily, through the frame assembler and dispatcher.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "frame_assembler.h"
#include "frame_dispatcher.h"

namespace {

// The frames of a whole stream, read in one go: the reference the assembler must match.
std::vector<QByteArray> ReferenceFrames(const QByteArray& stream) {
  std::vector<QByteArray> frames;
  qsizetype at = 0;
  while (stream.size() - at >= AgwHeaderSize) {
    if (!IsPlausibleAgwHeader(stream.constData() + at)) break;
    const qsizetype length = AgwDataLength(stream.constData() + at);
    if (stream.size() - at < AgwHeaderSize + length) break;
    frames.push_back(stream.mid(at + AgwHeaderSize, length));
    at += AgwHeaderSize + length;
  }
  return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const unsigned step = 1 + data[0];  // the first byte chooses how the stream is cut
  const QByteArray stream(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  FrameAssembler assembler;
  std::vector<QByteArray> got;
  for (qsizetype at = 0; at < stream.size(); at += step) {
    assembler.Feed(stream.constData() + at, std::min<qsizetype>(step, stream.size() - at));
    while (auto frame = assembler.Next()) {
      const DispatchResult r = HandleAgwFrame(*frame, QStringLiteral("IW2XYZ"), true);
      if (r.rxLines && r.rxLines->size() > RxLinesKept) std::abort();
      if (r.report && !CarriesWeather(*r.report)) std::abort();
      got.push_back(frame->data);
    }
  }
  if (got != ReferenceFrames(stream)) std::abort();  // exactly the frames in the stream
  return 0;
}
