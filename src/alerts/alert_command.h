// The user's own command, run for each alert without a shell: one run at a time, in the order
// asked, each killed when it outlasts its time.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <deque>
#include <memory>

#include "alert_environment.h"

inline constexpr int CommandTimeLimitMs = 30000;

struct CommandOutcome {
  enum class Kind { Succeeded, NotStarted, Failed, Crashed, Killed };
  Kind kind = Kind::Succeeded;
  QString program;      // the program the command line names
  int exitCode = 0;     // Failed: what it returned
  QString detail;       // NotStarted: why; Failed and Crashed: the end of what it wrote on stderr
  int timeLimitMs = 0;  // Killed: the time it was given
};

// What became of a run, in the program's language, e.g. "Il comando «curl» è terminato con
// codice 6".
QString CommandOutcomeText(const CommandOutcome& outcome);

class AlertCommand : public QObject {
  Q_OBJECT
 public:
  explicit AlertCommand(QObject* parent = nullptr, int timeLimitMs = CommandTimeLimitMs);
  // A run still going at the end is killed.
  ~AlertCommand() override;

  // Queues one run of `commandLine` (split as QProcess::splitCommand does) with `variables`
  // added to this program's environment. An empty command line runs nothing.
  void Run(const QString& commandLine, const EnvironmentVariables& variables);
  bool Idle() const;

 signals:
  // Every run ends here, in the order they were asked for.
  void finished(const CommandOutcome& outcome);

 private:
  struct Job {
    QStringList words;
    EnvironmentVariables variables;
  };
  void StartNext();
  void Finish(const CommandOutcome& outcome);

  int timeLimitMs_;
  std::deque<Job> queue_;
  QProcess* running_ = nullptr;
};
