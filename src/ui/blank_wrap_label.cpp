#include "blank_wrap_label.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace {

// A name such as "Dp" or "Wch": letters only.
bool IsName(const QString& word) {
  return !word.isEmpty() &&
         std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); });
}

bool IsNumber(const QString& word) {
  return !word.isEmpty() && (word[0].isDigit() || word[0] == u'-' || word[0] == u'+');
}

// The words between blanks, a name joined with the number after it: "Dp" never ends a line
// whose next line begins with its value.
QStringList Pieces(const QString& paragraph) {
  QStringList pieces;
  for (const QString& word : paragraph.split(u' ')) {
    if (!pieces.isEmpty() && IsName(pieces.last()) && IsNumber(word))
      pieces.last() += u' ' + word;
    else
      pieces << word;
  }
  return pieces;
}

void WrapParagraph(const QString& paragraph, int width,
                   const std::function<int(const QString&)>& measure, QStringList& lines) {
  QString line;
  for (const QString& word : Pieces(paragraph)) {
    const QString longer = line.isNull() ? word : line + u' ' + word;
    if (!line.isNull() && measure(longer) > width) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  lines << line;
}

}  // namespace

QStringList WrapAtBlanks(const QString& text, int width,
                         const std::function<int(const QString&)>& measure) {
  QStringList lines;
  for (QString paragraph : text.split(u'\n')) {
    if (paragraph.endsWith(u'\r')) paragraph.chop(1);
    WrapParagraph(paragraph, width, measure, lines);
  }
  return lines;
}

void BlankWrapLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const QFontMetrics metrics = fontMetrics();
  const QStringList lines = WrapAtBlanks(
      text(), area.width(), [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
  painter.setClipRect(area);
  style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), lines.join(u'\n'),
                        foregroundRole());
  drawFrame(&painter);
}
