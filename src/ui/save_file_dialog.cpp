#include "save_file_dialog.h"

#include <QCoreApplication>
#include <QFileIconProvider>
#include <QMimeDatabase>

namespace {

// Icons and types told from the name alone. Qt's own provider reads a file whose name does not
// tell its type; closing what it opened would drop the locks SQLite holds on that file (POSIX
// locks belong to the process and go with any of its descriptors), and the history's files
// would be taken from under the window by the next program that reads them.
class IconsByName : public QFileIconProvider {
 public:
  QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
  QIcon icon(const QFileInfo& info) const override {
    if (info.isDir()) return icon(Folder);
    return QIcon::fromTheme(ByName(info).iconName(), icon(File));
  }
  QString type(const QFileInfo& info) const override {
    if (info.isDir()) return QFileIconProvider::type(info);
    const QMimeType mime = ByName(info);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
  }

 private:
  QMimeType ByName(const QFileInfo& info) const {
    return mimeTypes_.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
  }
  QMimeDatabase mimeTypes_;
};

}  // namespace

QFileDialog* NewSaveFileDialog(QWidget* parent, const QString& title, const QString& suggested) {
  auto* dialog = new QFileDialog(parent, title);
  // Qt's own dialog, whose looking at files is the provider's; a native one (GTK's runs in this
  // process) would look inside them in its own way.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  auto* icons = new IconsByName;
  dialog->setIconProvider(icons);
  // A widget's children (the file model and its reading thread) are gone when it says so.
  QObject::connect(dialog, &QObject::destroyed, [icons] { delete icons; });
  const bool text = QFileInfo(suggested).suffix() == QLatin1String("txt");
  dialog->setNameFilter(
      text ? QCoreApplication::translate("SaveFileDialog", "Testo (*.txt);;Tutti i file (*)")
           : QCoreApplication::translate("SaveFileDialog", "CSV (*.csv);;Tutti i file (*)"));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setDirectory(QFileInfo(suggested).absolutePath());
  dialog->selectFile(QFileInfo(suggested).fileName());
  return dialog;
}
