// Fuzz target: arbitrary texts in the setup dialog's number boxes, in three locales.
#include <QLocale>
#include <cstdint>
#include <cstdlib>

#include "setup_form.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const QLocale locales[] = {QLocale::c(), QLocale(QStringLiteral("it_IT")),
                                    QLocale(QStringLiteral("en_US"))};
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  if (const auto port = ReadPortBox(text); port && *port < 0) std::abort();
  Settings current;
  ApplyDefaultAlarms(current);
  for (const QLocale& locale : locales) {
    SetupForm form = FillSetupForm(current, locale);
    form.boxes[size % SetupBoxCount] = text;
    const SetupReading r = ReadSetupForm(form, current, locale);
    if (r.faultyBox && r.hint.isEmpty()) std::abort();
    // Boxes filled by the program itself always read back.
    const SetupReading again = ReadSetupForm(FillSetupForm(r.settings, locale), r.settings, locale);
    if (!r.faultyBox && again.faultyBox) std::abort();
  }
  return 0;
}
