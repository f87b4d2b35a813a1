#include "help_viewer.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

#include "app_icon.h"
#include "number_text.h"
#include "rtf_reader.h"
#include "twips.h"

frmIstruzioni::frmIstruzioni(WindowSeams seams, QString programFolder)
    : seams_(std::move(seams)), programFolder_(std::move(programFolder)) {
  setObjectName(QStringLiteral("frmIstruzioni"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(tr("Istruzioni:"));
  setWindowIcon(VentoraIcon());
  resize(Px(7680), Px(3960));
  rtfIstruzioni_ = new QTextEdit(this);
  rtfIstruzioni_->setObjectName(QStringLiteral("rtfIstruzioni"));
  rtfIstruzioni_->setReadOnly(true);
  rtfIstruzioni_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  rtfIstruzioni_->setGeometry(TwipsRect(0, 0, 7665, 3855));
  Form_Load();
}

void frmIstruzioni::Form_Load() {
  const QScreen* screen = this->screen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const auto half = [](int space) { return int(RoundHalfEven(space / 2.0)); };
  move(area.x() + half(area.width() - width()), area.y() + half(area.height() - height()));
}

void frmIstruzioni::Apri(const QString& NFileIstruzioni, const QString& Titolo) {
  helpFileName_ = NFileIstruzioni;
  setWindowTitle(u' ' + Titolo);
  show();
  raise();
  activateWindow();
  // Some platforms never report activation of a window that is already active.
  if (isActiveWindow())
    QMetaObject::invokeMethod(this, &frmIstruzioni::Form_Activate, Qt::QueuedConnection);
}

bool frmIstruzioni::FileExists(const QString& name) {
  const QFileInfo info(name);
  return info.exists() && info.isFile();
}

QString frmIstruzioni::HelpFilePath() const {
  if (FileExists(helpFileName_)) return helpFileName_;
  // Started from a desktop menu the working folder is the home folder: look beside the program.
  // Then beside the program, and where a system-wide install keeps its data (bin/../share).
  if (QFileInfo(helpFileName_).isAbsolute()) return QString();
  const QDir program(programFolder_);
  for (const QString& candidate :
       {program.filePath(helpFileName_),
        program.filePath(QStringLiteral("../share/ventora/") + helpFileName_)})
    if (FileExists(candidate)) return QDir::cleanPath(candidate);
  return QString();
}

void frmIstruzioni::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

QSize frmIstruzioni::BoxSizeFor(QSize client) {
  return QSize(std::max(1, client.width()), std::max(1, client.height()));
}

void frmIstruzioni::Form_Resize() {
  if (windowState() & Qt::WindowMinimized) return;
  // The client area itself, not the outer size less fixed allowances: a title bar thinner than
  // the allowance left an empty band under the text.
  rtfIstruzioni_->setGeometry(QRect(QPoint(0, 0), BoxSizeFor(size())));
}

void frmIstruzioni::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    QMetaObject::invokeMethod(this, &frmIstruzioni::Form_Activate, Qt::QueuedConnection);
}

void frmIstruzioni::Form_Activate() {
  if (activating_ || !isVisible()) return;
  activating_ = true;
  const QString path = HelpFilePath();
  QFile file(path);
  if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
    ReadRtf(file.readAll(), rtfIstruzioni_->document());
  } else {
    seams_.showMessage(QMessageBox::Critical, QStringLiteral("Brevander"),
                       tr("Manca il file di help %1").arg(helpFileName_));
    close();
  }
  activating_ = false;
}
