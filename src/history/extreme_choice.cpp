#include "extreme_choice.h"

namespace {

bool ReachedFirst(const Extreme& a, const Extreme& b) {
  return a.value == b.value && a.time < b.time;
}

}  // namespace

void KeepHigher(std::optional<Extreme>& kept, const std::optional<Extreme>& candidate) {
  if (candidate && (!kept || candidate->value > kept->value || ReachedFirst(*candidate, *kept)))
    kept = candidate;
}

void KeepLower(std::optional<Extreme>& kept, const std::optional<Extreme>& candidate) {
  if (candidate && (!kept || candidate->value < kept->value || ReachedFirst(*candidate, *kept)))
    kept = candidate;
}
