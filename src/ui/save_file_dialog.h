// The dialog that asks where to save a file, made so that it never opens the files it lists.
#pragma once

#include <QFileDialog>
#include <QString>

// A save dialog over the folder of `suggested`, that file's name proposed, listing the files of
// its kind (text for ".txt", CSV otherwise). Modal; the caller
// shows it and deletes it.
QFileDialog* NewSaveFileDialog(QWidget* parent, const QString& title, const QString& suggested);
