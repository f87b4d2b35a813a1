// Fuzz target: any line from an APRS-IS server, judged and, when it is a packet, turned into
// the AGWPE frame the bridge sends, then read back as Ventora reads frames.
#include <QByteArray>
#include <QTime>
#include <cstdint>
#include <cstdlib>

#include "aprsis_line.h"
#include "frame_assembler.h"
#include "frame_dispatcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray line(reinterpret_cast<const char*>(data), qsizetype(size));
  const AprsIsLine judged = ReadAprsIsLine(line);
  if (judged.packet.has_value() != (judged.kind == AprsIsLineKind::Packet)) std::abort();
  if (!judged.packet) return 0;
  const Tnc2Packet& p = *judged.packet;
  if (line.size() > AprsIsMaxLine || p.from.isEmpty() || p.to.isEmpty()) std::abort();
  // Nothing is lost or added: the parts make the line again.
  QByteArray again = p.from + '>' + p.to;
  for (const QByteArray& hop : p.path) again += ',' + hop;
  if (again + ':' + p.info != line) std::abort();
  FrameAssembler assembler;
  assembler.Feed(EncodeAgwFrame('U', p.from, MonitorText(p, QTime(12, 0))));
  const auto frame = assembler.Next();
  if (!frame || assembler.Next() || assembler.OutOfStep()) std::abort();
  const DispatchResult r = HandleAgwFrame(*frame, frame->callFrom, true);
  if (r.rxLines && r.rxLines->size() > RxLinesKept) std::abort();
  return 0;
}
