// What a table shows of its texts, for the tests that look at one.
#pragma once

#include <QHeaderView>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>
#include <QTableWidget>

// The cells and headings of `table` whose text does not fit where it is shown.
inline QStringList TextsCut(const QTableWidget* table) {
  QStringList cut;
  const QFontMetrics metrics(table->font());
  const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  for (int c = 0; c < table->columnCount(); ++c) {
    const QHeaderView* header = table->horizontalHeader();
    const QString heading = table->horizontalHeaderItem(c)->text();
    if (header->isVisible() && (metrics.size(0, heading).width() > header->sectionSize(c) ||
                                metrics.size(0, heading).height() > header->height()))
      cut << heading;
    for (int r = 0; r < table->rowCount(); ++r) {
      const QString text = table->item(r, c) ? table->item(r, c)->text() : QString();
      const QSize need = metrics.size(0, text);
      if (need.width() + margin > table->columnWidth(c) || need.height() > table->rowHeight(r))
        cut << text;
    }
  }
  for (int r = 0; r < table->rowCount(); ++r)
    if (const QTableWidgetItem* heading = table->verticalHeaderItem(r);
        heading && table->verticalHeader()->isVisible() &&
        metrics.horizontalAdvance(heading->text()) > table->verticalHeader()->width())
      cut << heading->text();
  // The table shows every row without scrolling, or scrolls.
  const bool scrolls = table->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
  if (!scrolls && table->verticalScrollBar()->maximum() > 0) cut << table->objectName();
  return cut;
}
