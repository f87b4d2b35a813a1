#include "typed_length_limit.h"

TypedLengthLimit::TypedLengthLimit(int limit, QLineEdit* box)
    : QValidator(box), limit_(limit), box_(box), lastLength_(box->text().size()) {
  connect(box, &QLineEdit::textChanged, this,
          [this](const QString& text) { lastLength_ = text.size(); });
  box->setValidator(this);
}

QValidator::State TypedLengthLimit::validate(QString& input, int&) const {
  // setText validates too, before textChanged: an unmodified box holds what the program put in.
  if (!box_->isModified()) return Acceptable;
  return input.size() <= limit_ || input.size() <= lastLength_ ? Acceptable : Invalid;
}
