// Fuzz target: arbitrary bytes through the RTF reader; it must end, whatever the nesting.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>

#include "rtf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);  // fonts need a GUI application
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QTextDocument document;
  ReadRtf(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), &document);
  (void)document.toPlainText();
  return 0;
}
