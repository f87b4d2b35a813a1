// How fast frames are joined and dispatched: the cost of one monitored frame of another station.
#include <benchmark/benchmark.h>

#include <QByteArray>

#include "fastest_run.h"
#include "frame_assembler.h"
#include "frame_dispatcher.h"
#include "link_frames.h"

namespace {

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
      while (auto frame = assembler.NextView())
        benchmark::DoNotOptimize(HandleAgwFrame(*frame, station, true));
    }
  }
  state.SetItemsProcessed(state.iterations() * FramesPerBlock);
}

}  // namespace

BENCHMARK(NonMatchingFrames)->ComputeStatistics("min", FastestRun);
BENCHMARK_MAIN();
