// A limit on what the user types into a text box, never on what the program fills in.
#pragma once

#include <QLineEdit>
#include <QValidator>

// Refuses an edit that makes the text longer than `limit` characters and longer than it was.
// Text put in with setText is never cut (QLineEdit::setMaxLength would cut it), and a longer
// text filled in by the program can still be shortened or replaced by the user.
class TypedLengthLimit : public QValidator {
  Q_OBJECT
 public:
  TypedLengthLimit(int limit, QLineEdit* box);

  State validate(QString& input, int& pos) const override;

 private:
  int limit_;
  const QLineEdit* box_;
  qsizetype lastLength_;  // the box's text before the edit being judged
};
