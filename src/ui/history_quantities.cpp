#include "history_quantities.h"

namespace {

constexpr int64_t Day = 24 * 3600;

const std::array<QuantityChart, HistoryQuantityCount> Charts = {{
    {"Temperatura",
     "\u00B0C",
     1,
     {{HistoryColumn::TempC, "Temperatura", 0xd62728},
      {HistoryColumn::DewPointC, "Punto di rugiada", 0x1f77b4},
      {HistoryColumn::WindChillC, "Wind chill", 0x9467bd}}},
    {"Umidit\u00E0", "%", 0, {{HistoryColumn::HumidityPct, "Umidit\u00E0 relativa", 0x17becf}}},
    {"Pressione", "mb", 1, {{HistoryColumn::PressureMb, "Pressione", 0x2ca02c}}},
    {"Vento",
     "km/h",
     0,
     {{HistoryColumn::WindKmh, "Vento medio", 0x1f77b4},
      {HistoryColumn::GustKmh, "Raffica", 0xff7f0e},
      {HistoryColumn::WindDir, "Direzione (\u00B0)", 0x7f7f7f, true}}},
    {"Pioggia",
     "mm",
     1,
     {{HistoryColumn::Rain1hMm, "Pioggia nell'ultima ora", 0x1f77b4},
      {HistoryColumn::RainTodayMm, "Pioggia da mezzanotte", 0x08306b}}},
}};

const std::array<SpanChoice, HistorySpanCount> Spans = {{
    {"24 ore", Day, "HH:mm"},
    {"7 giorni", 7 * Day, "ddd d"},
    {"30 giorni", 30 * Day, "d MMM"},
    {"1 anno", 365 * Day, "MMM yyyy"},
}};

}  // namespace

const QuantityChart& ChartOf(HistoryQuantity quantity) {
  return Charts[size_t(quantity)];
}

const SpanChoice& SpanOf(HistorySpan span) {
  return Spans[size_t(span)];
}
