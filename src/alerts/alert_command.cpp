#include "alert_command.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QTimer>

namespace {

// The end of what a command wrote on stderr is kept to say why it failed.
constexpr int KeptErrorBytes = 300;

// The context its texts are translated in.
class CommandWords {
  Q_DECLARE_TR_FUNCTIONS(CommandWords)
};

CommandOutcome Ended(const QString& program, int exitCode, QProcess::ExitStatus status,
                     int timeLimitMs, bool killed, const QString& stderrTail) {
  using Kind = CommandOutcome::Kind;
  if (killed) return {Kind::Killed, program, 0, QString(), timeLimitMs};
  if (status == QProcess::CrashExit) return {Kind::Crashed, program, 0, stderrTail};
  if (exitCode != 0) return {Kind::Failed, program, exitCode, stderrTail};
  return {Kind::Succeeded, program, 0, QString()};
}

}  // namespace

QString CommandOutcomeText(const CommandOutcome& o) {
  using Kind = CommandOutcome::Kind;
  QString text;
  switch (o.kind) {
    case Kind::Succeeded:
      text = CommandWords::tr("Il comando «%1» è terminato bene").arg(o.program);
      break;
    case Kind::NotStarted:
      text = CommandWords::tr("Il comando «%1» non parte").arg(o.program);
      break;
    case Kind::Failed:
      text = CommandWords::tr("Il comando «%1» è terminato con codice %2")
                 .arg(o.program)
                 .arg(o.exitCode);
      break;
    case Kind::Crashed:
      text = CommandWords::tr("Il comando «%1» si è interrotto").arg(o.program);
      break;
    case Kind::Killed:
      text = CommandWords::tr("Il comando «%1» è stato fermato dopo %2 secondi")
                 .arg(o.program)
                 .arg((o.timeLimitMs + 999) / 1000);
      break;
  }
  const QString detail = o.detail.trimmed();
  return detail.isEmpty() ? text : text + QStringLiteral(": ") + detail;
}

AlertCommand::AlertCommand(QObject* parent, int timeLimitMs)
    : QObject(parent), timeLimitMs_(timeLimitMs) {}

AlertCommand::~AlertCommand() {
  if (!running_) return;
  running_->disconnect(this);
  running_->kill();
  running_->waitForFinished(1000);
}

void AlertCommand::Run(const QString& commandLine, const EnvironmentVariables& variables) {
  QStringList words = QProcess::splitCommand(commandLine);
  if (words.isEmpty()) return;
  queue_.push_back({words, variables});
  if (!running_) StartNext();
}

bool AlertCommand::Idle() const {
  return !running_ && queue_.empty();
}

void AlertCommand::StartNext() {
  if (queue_.empty()) return;
  Job job = std::move(queue_.front());
  queue_.pop_front();
  const QString program = job.words.takeFirst();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const auto& [name, value] : job.variables) environment.insert(name, value);

  auto* process = new QProcess(this);
  running_ = process;
  process->setProcessEnvironment(environment);
  process->setStandardOutputFile(QProcess::nullDevice());
  auto* timer = new QTimer(process);
  timer->setSingleShot(true);
  auto killed = std::make_shared<bool>(false);
  auto errors = std::make_shared<QByteArray>();
  connect(timer, &QTimer::timeout, process, [process, killed] {
    *killed = true;
    process->kill();
  });
  connect(process, &QProcess::readyReadStandardError, this, [process, errors] {
    errors->append(process->readAllStandardError());
    if (errors->size() > KeptErrorBytes) errors->remove(0, errors->size() - KeptErrorBytes);
  });
  // Queued: on Windows a program that is not there fails inside start(), and the caller hears
  // of it later all the same, as on Linux.
  connect(
      process, &QProcess::errorOccurred, this,
      [this, program, process](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        Finish({CommandOutcome::Kind::NotStarted, program, 0, process->errorString()});
      },
      Qt::QueuedConnection);
  connect(process, &QProcess::finished, this,
          [this, program, process, killed, errors](int code, QProcess::ExitStatus status) {
            errors->append(process->readAllStandardError());
            Finish(Ended(program, code, status, timeLimitMs_, *killed,
                         QString::fromLocal8Bit(errors->right(KeptErrorBytes))));
          });
  process->start(program, job.words);
  process->closeWriteChannel();
  timer->start(timeLimitMs_);
}

void AlertCommand::Finish(const CommandOutcome& outcome) {
  if (running_) {
    running_->disconnect(this);
    running_->deleteLater();
    running_ = nullptr;
  }
  emit finished(outcome);
  StartNext();
}
