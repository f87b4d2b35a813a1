// A stand-in for the user's alert command: appends the alert's variables to a file, then waits
// and exits as its arguments say. Usage: alert_probe FILE [EXIT_CODE [SLEEP_MS]]
#include <QCoreApplication>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) return 64;
  QFile out(args.at(1));
  if (!out.open(QIODevice::Append)) return 65;
  const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"VENTORA_EVENT", "VENTORA_STATION", "VENTORA_TIME", "VENTORA_TEXT",
                           "VENTORA_QUANTITY", "VENTORA_VALUE", "VENTORA_LIMIT", "VENTORA_MINUTES"})
    if (env.contains(QLatin1String(name)))
      out.write(QByteArray(name) + '=' + env.value(QLatin1String(name)).toUtf8() + '\n');
  out.write("\n");
  out.close();
  if (args.size() > 3) QThread::msleep(args.at(3).toULong());
  return args.size() > 2 ? args.at(2).toInt() : 0;
}
