// How fast frames are joined and dispatched: the cost of one monitored frame of another station.
#include <benchmark/benchmark.h>

#include <QByteArray>

#include "frame_assembler.h"
#include "frame_dispatcher.h"

namespace {

QByteArray MonitoredFrame(const QByteArray& call, const QByteArray& info) {
  const QByteArray text = " 1:Fm " + call +
                          " To APRS Via WIDE2-1 <UI pid=F0 Len=" + QByteArray::number(info.size()) +
                          " >[12:00:00]\r" + info + "\r" + QByteArray(1, '\0');
  QByteArray frame(AgwHeaderSize, '\0');
  frame[AgwKindOffset] = 'U';
  for (int i = 0; i < call.size(); ++i) frame[AgwCallFromOffset + i] = call[i];
  frame[AgwDataLenOffset] = char(text.size() & 0xff);
  frame[AgwDataLenOffset + 1] = char(text.size() >> 8);
  return frame + text;
}

// Frames arrive in reads of about 1400 bytes, as TCP segments bring them.
void NonMatchingFrames(benchmark::State& state) {
  constexpr int FramesPerBlock = 1000;
  QByteArray block;
  for (int i = 0; i < FramesPerBlock; ++i)
    block += MonitoredFrame("K1ABC-9", "!4903.50N/07201.75W>090/035/A=000420 on the road");
  const QString station = QStringLiteral("IW2XYZ");
  for (auto _ : state) {
    FrameAssembler assembler;
    for (qsizetype at = 0; at < block.size(); at += 1400) {
      assembler.Feed(block.constData() + at, std::min<qsizetype>(1400, block.size() - at));
      while (auto frame = assembler.Next())
        benchmark::DoNotOptimize(HandleAgwFrame(*frame, station, true));
    }
  }
  state.SetItemsProcessed(state.iterations() * FramesPerBlock);
}

}  // namespace

BENCHMARK(NonMatchingFrames);
BENCHMARK_MAIN();
