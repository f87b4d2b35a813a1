#include "sharded_decode.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "packet_decoder.h"
#include "tnc2_packet.h"

namespace {

// Lines read before the decoders start on them: enough to keep each thread busy for
// milliseconds, few enough to keep the memory of a batch small.
constexpr size_t BatchLines = 512;

// A run of lines read together, each given to the decoder of its station. Written before the
// decoders start, only read while they work.
struct Batch {
  std::string text;
  std::vector<std::pair<size_t, size_t>> spans;  // each line: where it starts, how long
  std::vector<size_t> decoderOf;

  std::string_view Line(size_t i) const {
    return std::string_view(text).substr(spans[i].first, spans[i].second);
  }
  size_t size() const { return spans.size(); }
};

// Where one line's JSON lies in its decoder's output.
struct Piece {
  size_t line, at, size;
};

// One decoder with the output of its share of a batch, written by its own thread only.
struct Share {
  explicit Share(const DecodeOptions& options) : decoder(options) {}
  WholePacketDecoder decoder;
  std::string out;
  std::vector<Piece> pieces;
  quint64 notPackets = 0;
};

bool ReadBatch(LineReader& reader, size_t decoders, Batch& batch) {
  batch.text.clear();
  batch.spans.clear();
  batch.decoderOf.clear();
  std::string_view line;
  while (batch.size() < BatchLines && reader.Next(line)) {
    batch.spans.emplace_back(batch.text.size(), line.size());
    batch.decoderOf.push_back(DecoderForLine(line, decoders));
    batch.text.append(line.data(), line.size());
  }
  return batch.size() > 0;
}

// One decoder's share of the batch: its stations' packets, in order.
void DecodeShare(const Batch& batch, Share& share, size_t index) {
  share.out.clear();
  share.pieces.clear();
  for (size_t line = 0; line < batch.size(); ++line) {
    if (batch.decoderOf[line] != index) continue;
    const auto packet = ViewTnc2(batch.Line(line));
    if (!packet) {
      ++share.notPackets;
      continue;
    }
    const size_t at = share.out.size();
    if (share.decoder.Decode(*packet, share.out))
      share.pieces.push_back({line, at, share.out.size() - at});
  }
}

// The shares' lines back in the order of the batch, written at once; false when the write
// failed.
bool WriteBatch(const Batch& batch, const std::vector<std::unique_ptr<Share>>& shares,
                std::string& merged, CheckedOutput& out) {
  merged.clear();
  std::vector<size_t> next(shares.size(), 0);  // each share's next piece
  for (size_t line = 0; line < batch.size(); ++line) {
    const size_t s = batch.decoderOf[line];
    if (next[s] == shares[s]->pieces.size()) continue;
    const Piece& piece = shares[s]->pieces[next[s]];
    if (piece.line != line) continue;  // a line that gave no JSON
    merged.append(shares[s]->out, piece.at, piece.size);
    ++next[s];
  }
  return out.Write(merged);
}

// Threads that each decode their share of every batch, started once. Between batches they
// wait spinning for a while before they sleep: a thread put to sleep tends to wake on the other
// processor, away from the caches that hold its stations.
class Helpers {
 public:
  Helpers(std::vector<std::unique_ptr<Share>>& shares, const LastShareHook& lastShareDone)
      : lastShareDone_(lastShareDone), helpers_(shares.size() - 1) {
    for (size_t i = 1; i < shares.size(); ++i)
      threads_.emplace_back([this, &shares, i] { Work(*shares[i], i); });
  }
  ~Helpers() {
    stop_.store(true);
    WakeAll();
    for (std::thread& t : threads_) t.join();
  }
  // Lets every helper decode its share of `batch` now; it must stay as it is until Wait.
  void Start(const Batch& batch) {
    batch_ = &batch;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      round_.store(round_.load() + 1);
    }
    changed_.notify_all();
  }
  // Every helper has decoded its share of the round started last. Only the helpers write the
  // count of shares done, and it only rises: a late helper cannot undo a later round.
  void Wait() {
    const size_t goal = round_.load() * helpers_;
    Await([this, goal] { return sharesDone_.load() == goal; });
  }

 private:
  template <typename Ready>
  void Await(Ready ready) {
    for (int spin = 0; spin < SpinsBeforeSleep; ++spin) {
      if (ready()) return;
      std::this_thread::yield();
    }
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, ready);
  }

  // Wakes whoever sleeps on a condition that has just come true; the lock taken and left
  // makes sure a thread between its test and its sleep does not miss the wake-up.
  void WakeAll() {
    { const std::lock_guard<std::mutex> lock(mutex_); }
    changed_.notify_all();
  }

  void Work(Share& share, size_t index) {
    for (size_t seen = 0;;) {
      Await([&] { return stop_.load() || round_.load() != seen; });
      if (stop_.load()) return;
      ++seen;  // rounds are never skipped: the next one starts only when this one is done
      DecodeShare(*batch_, share, index);
      if (sharesDone_.fetch_add(1) + 1 == seen * helpers_) {
        if (lastShareDone_) lastShareDone_();
        WakeAll();
      }
    }
  }

  static constexpr int SpinsBeforeSleep = 20000;

  const LastShareHook& lastShareDone_;
  const size_t helpers_;  // known before any helper runs: threads_ is still growing then
  std::mutex mutex_;
  std::condition_variable changed_;
  const Batch* batch_ = nullptr;  // set before a round starts, read by the helpers in it
  std::atomic<size_t> round_{0}, sharesDone_{0};
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

}  // namespace

quint64 DecodeOnThreads(const DecodeOptions& options, int threads, LineReader& reader,
                        CheckedOutput& out, const LastShareHook& lastShareDone) {
  std::vector<std::unique_ptr<Share>> shares;
  for (int i = 0; i < threads; ++i) shares.push_back(std::make_unique<Share>(options));
  // While the helpers decode one batch, this thread reads the next.
  Batch batches[2];
  std::string merged;
  Helpers helpers(shares, lastShareDone);
  bool more = ReadBatch(reader, shares.size(), batches[0]);
  for (int at = 0; more; at = 1 - at) {
    helpers.Start(batches[at]);
    more = ReadBatch(reader, shares.size(), batches[1 - at]);
    DecodeShare(batches[at], *shares[0], 0);
    helpers.Wait();
    if (!WriteBatch(batches[at], shares, merged, out)) break;  // nobody to decode for
  }
  quint64 notPackets = 0;
  for (const auto& share : shares) notPackets += share->notPackets;
  return notPackets;
}
