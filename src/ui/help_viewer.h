// frmIstruzioni: a plain resizable window that shows the rich-text help file.
#pragma once

#include <QTextEdit>
#include <QWidget>
#include <functional>

#include "window_seams.h"

// Each language has its help file: a translation names its own (the English one is ReadMe.rtf).
//: The file name of the help in this language, beside the program.
inline constexpr const char* HelpFileName = QT_TRANSLATE_NOOP("frmIstruzioni", "Leggimi.rtf");
inline constexpr const char* HelpTitle = QT_TRANSLATE_NOOP("frmIstruzioni", "Ventora - Istruzioni");

class frmIstruzioni : public QWidget {
  Q_OBJECT
 public:
  // `programFolder` is where the help file is also looked for when the working folder lacks it.
  frmIstruzioni(WindowSeams seams, QString programFolder);

  // Shows the window (modeless, active) with the file and the title given.
  void Apri(const QString& NFileIstruzioni, const QString& Titolo);

  // True when the file system can tell the file's length; a file of length 0 exists.
  static bool FileExists(const QString& name);
  // Where the help file is read from: the name as given, else the program's folder.
  QString HelpFilePath() const;

  // The text box's size for the window's client size (pixels): all of it, never below one pixel.
  static QSize BoxSizeFor(QSize client);

  const QString& HelpFileName() const { return helpFileName_; }
  QTextEdit* Box() const { return rtfIstruzioni_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Form_Load();
  void Form_Resize();
  void Form_Activate();

  WindowSeams seams_;
  QString programFolder_;
  QString helpFileName_;
  QTextEdit* rtfIstruzioni_;
  bool activating_ = false;
};
