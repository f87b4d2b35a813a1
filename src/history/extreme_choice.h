// Which of two highs or lows stands: the more extreme value, and of equal values the one
// reached first.
#pragma once

#include <optional>

#include "climate_summary.h"

void KeepHigher(std::optional<Extreme>& kept, const std::optional<Extreme>& candidate);
void KeepLower(std::optional<Extreme>& kept, const std::optional<Extreme>& candidate);
