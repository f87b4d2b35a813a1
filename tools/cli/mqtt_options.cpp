#include "mqtt_options.h"

#include <QFile>

#include "mqtt_connection.h"
#include "preferences_file.h"

namespace {

// HOST or HOST:PORT; an IPv6 address goes in brackets, [::1]:1883.
std::optional<QString> ReadHostAndPort(const QString& value, MqttOverrides& overrides) {
  const int colon = value.lastIndexOf(QLatin1Char(':'));
  const bool bracketed = value.startsWith(QLatin1Char('['));
  const bool hasPort = colon > 0 && (!bracketed || value.at(colon - 1) == QLatin1Char(']'));
  QString host = hasPort ? value.left(colon) : value;
  if (bracketed) host = host.mid(1, host.size() - 2);
  if (host.isEmpty()) return QStringLiteral("--mqtt needs HOST[:PORT], not %1").arg(value);
  overrides.host = host;
  if (!hasPort) return QString();
  bool ok = false;
  const int port = value.mid(colon + 1).toInt(&ok);
  if (!ok || port < 1 || port > 65535)
    return QStringLiteral("--mqtt needs a port from 1 to 65535, not %1").arg(value.mid(colon + 1));
  overrides.port = port;
  return QString();
}

// The first line of the file, its line end left out.
std::optional<QString> ReadPassword(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray line = file.readLine();
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  return QString::fromUtf8(line);
}

}  // namespace

bool ParseMqttSwitch(const QString& arg, MqttOverrides& overrides) {
  if (arg == QLatin1String("--mqtt-tls")) return overrides.tls = true;
  if (arg == QLatin1String("--no-discovery")) return overrides.noDiscovery = true;
  return false;
}

std::optional<QString> ParseMqttOption(const QString& arg, const QString& value,
                                       MqttOverrides& overrides) {
  if (arg == QLatin1String("--mqtt")) return ReadHostAndPort(value, overrides);
  if (arg == QLatin1String("--mqtt-user"))
    overrides.user = value;
  else if (arg == QLatin1String("--mqtt-password-file"))
    overrides.passwordFile = value;
  else if (arg == QLatin1String("--mqtt-prefix")) {
    overrides.prefix = TopicPrefixOr(value, QString());
    if (overrides.prefix->isEmpty())
      return QStringLiteral("--mqtt-prefix takes a topic without + or #, not %1").arg(value);
  } else if (arg == QLatin1String("--mqtt-ca-file"))
    overrides.caFile = value;
  else
    return std::nullopt;
  return QString();
}

QString ApplyMqttOverrides(const MqttOverrides& overrides, MqttSettings& settings) {
  if (overrides.tls) settings.tls = true;
  if (overrides.host) {
    settings.enabled = true;
    settings.host = *overrides.host;
    settings.port = overrides.port.value_or(settings.tls ? MqttTlsPort : MqttPlainPort);
  }
  if (overrides.user) settings.user = *overrides.user;
  if (overrides.prefix) settings.prefix = *overrides.prefix;
  if (overrides.caFile) settings.caFile = *overrides.caFile;
  if (overrides.noDiscovery) settings.discovery = false;
  if (settings.enabled && settings.tls && !MqttHasTls())
    return QStringLiteral("this build of ventora-cli has no TLS: plain MQTT only");
  if (!overrides.passwordFile) return QString();
  const std::optional<QString> password = ReadPassword(*overrides.passwordFile);
  if (!password)
    return QStringLiteral("the password file %1 cannot be read").arg(*overrides.passwordFile);
  settings.password = *password;
  return QString();
}
