// The full differential run behind NumberFormat: 10 million floats per locale (and every 16-bit
// integer), each at 0 and 1 decimals, against QLocale::toString. Prints the mismatches (none
// expected) and both speeds.
// Usage: number_format_proof [MILLIONS]
#include <QElapsedTimer>
#include <QLocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "number_format.h"
#include "number_format_cases.h"

int main(int argc, char* argv[]) {
  const long count = (argc > 1 ? std::atol(argv[1]) : 10) * 1000000L;
  long mismatches = 0;
  for (const char* name : {"C", "en_US", "it_IT", "de_DE", "fr_FR", "de_CH"}) {
    const QLocale locale{QLatin1String(name)};
    const NumberFormat format(locale);
    std::mt19937 rng(20261207);
    std::vector<double> values;
    values.reserve(size_t(count) + 65536);
    for (int i = INT16_MIN; i <= INT16_MAX; ++i) values.push_back(i);
    for (long k = 0; k < count; ++k) values.push_back(NumberFormatCase(rng, unsigned(k)));
    QElapsedTimer ours, theirs;
    qint64 oursNs = 0, theirsNs = 0;
    for (int decimals : {0, 1}) {
      for (double x : values) {
        ours.start();
        const QString a = format.Fixed(x, decimals);
        oursNs += ours.nsecsElapsed();
        theirs.start();
        const QString b = locale.toString(x, 'f', decimals);
        theirsNs += theirs.nsecsElapsed();
        if (a != b && ++mismatches <= 10)
          std::printf("MISMATCH %s %.17g/%d: %s vs %s\n", name, x, decimals, qPrintable(a),
                      qPrintable(b));
      }
    }
    const double n = 2.0 * double(values.size());
    std::printf("%-6s %zu values x 2: NumberFormat %.0f ns, QLocale %.0f ns a number\n", name,
                values.size(), oursNs / n, theirsNs / n);
  }
  std::printf("mismatches: %ld\n", mismatches);
  return mismatches == 0 ? 0 : 1;
}
