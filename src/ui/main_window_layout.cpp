#include "main_window_layout.h"

#include <QCoreApplication>

#include "blank_wrap_label.h"
#include "design_fonts.h"
#include "fitted_label.h"
#include "font_fit.h"

#include "twips.h"

namespace {

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor LightYellow(255, 255, 192);
const QColor LightCyan(192, 255, 255);
const QColor CompassGrey(192, 192, 192);
// The Rx window's lines: the disabled list's text, dark enough to read on the yellow.
const QColor RxText(64, 64, 64);
// Pixels kept clear between a value's last letter and the trend arrow over the label's end.
constexpr int ArrowGap = 1;

QFont Font(const QString& family, double points, bool bold) {
  QFont font(family);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont SansFont(double points, bool bold) {
  return Font(DesignFamily(DesignFont::Sans), points, bold);
}

// Where the designed small font is missing, a stand-in may be taller: shrink it until two lines
// fit the list box, as its two lines always did.
QFont TwoLinesFont(const QFont& font, int heightPx) {
  return ShrinkToFit(font,
                     [heightPx](const QFontMetrics& m) { return 2 * m.height() <= heightPx; });
}

void SetColours(QWidget* w, const QColor& text, std::optional<QColor> background) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, text);
  pal.setColor(QPalette::Text, text);
  if (background) pal.setColor(QPalette::Window, *background);
  w->setPalette(pal);
  w->setAutoFillBackground(background.has_value());
}

struct LabelLook {
  QColor text = Blue;
  std::optional<QColor> background = LightYellow;
  QFont font;
  Qt::Alignment align = Qt::AlignLeft;
};

template <typename LabelType = QLabel>
LabelType* Label(QWidget* parent, const char* name, QRect twips, const QString& caption,
                 const LabelLook& look) {
  auto* label = new LabelType(caption, parent);
  label->setObjectName(QLatin1String(name));
  label->setGeometry(twips);
  label->setTextFormat(Qt::PlainText);  // station comments must never be read as markup
  label->setAlignment(look.align | Qt::AlignTop);
  label->setFont(look.font);
  SetColours(label, look.text, look.background);
  return label;
}

PictureBox* TrendPicture(QWidget* parent, int index, QRect twips) {
  auto* pic = new PictureBox(parent, LightYellow, Blue, TwipsPerPixel);
  pic->setObjectName(QStringLiteral("picVar_%1").arg(index));
  pic->setGeometry(twips);
  pic->setFont(SansFont(8.25, false));
  return pic;
}

void BuildCompass(QWidget* window, MainWindowControls& c) {
  // A pen of three pixels makes the 10-twip direction marker a visible green dot.
  c.picWx = new PictureBox(window, CompassGrey, Blue, 3 * TwipsPerPixel);
  c.picWx->setObjectName(QStringLiteral("picWx"));
  c.picWx->setGeometry(TwipsRect(0, 0, 1215, 1215));
  c.Shape1 = new ShapeWidget(c.picWx, QColor(0, 0, 192), std::nullopt);
  c.Shape1->setObjectName(QStringLiteral("Shape1"));
  c.Shape1->setGeometry(TwipsRect(50, 50, 1100, 1100));
  c.Shape2 = new ShapeWidget(c.picWx, Blue, LightCyan);
  c.Shape2->setObjectName(QStringLiteral("Shape2"));
  c.Shape2->setGeometry(TwipsRect(480, 480, 255, 255));
  c.lblElapsed = Label(c.picWx, "lblElapsed", TwipsRect(510, 510, 200, 200), QStringLiteral("00"),
                       {Blue, LightCyan, SansFont(8.25, false), Qt::AlignHCenter});
  // North, west (ovest), south, east.
  const char* letters[4] = {QT_TRANSLATE_NOOP("frmWx", "N"), QT_TRANSLATE_NOOP("frmWx", "O"),
                            QT_TRANSLATE_NOOP("frmWx", "S"), QT_TRANSLATE_NOOP("frmWx", "E")};
  const QRect places[4] = {TwipsRect(550, 50, 135, 255), TwipsRect(80, 480, 135, 255),
                           TwipsRect(550, 950, 135, 255), TwipsRect(1000, 480, 135, 255)};
  for (int i = 0; i < 4; ++i) {
    const QByteArray name = "lblCardinals_" + QByteArray::number(i);
    // A wider letter than the Italian's (the English W for O) is drawn a little smaller.
    c.lblCardinals[i] = Label<FittedLabel>(c.picWx, name.constData(), places[i],
                                           QCoreApplication::translate("frmWx", letters[i]),
                                           {Red, std::nullopt, WindowFont(), Qt::AlignHCenter});
  }
  c.lblCalm = Label(c.picWx, "lblCalm", TwipsRect(50, 220, 1215, 255), QStringLiteral("WIND CALM"),
                    {QColor(0, 128, 0), std::nullopt,
                     Font(DesignFamily(DesignFont::Serif), 9.75, true), Qt::AlignLeft});
  c.lblCalm->hide();
}

// The trend arrow lies over the right end of the value before it: the value's text ends short of
// the arrow, the label's box stays where it was designed.
void KeepClearOf(QLabel* label, const QWidget* arrow) {
  const int covered = label->geometry().right() - arrow->geometry().left() + 1;
  if (covered > -ArrowGap) label->setContentsMargins(0, 0, covered + ArrowGap, 0);
}

void BuildValueLabels(QWidget* window, MainWindowControls& c) {
  const LabelLook title{Blue, LightYellow, SansFont(9.75, true), Qt::AlignHCenter};
  const LabelLook value{Blue, LightYellow, SansFont(9.75, true), Qt::AlignRight};
  c.lblWxData = Label<FittedLabel>(window, "lblWxData", TwipsRect(1200, -10, 1935, 255),
                                   QStringLiteral("Ventora v5.01"), title);
  c.lblWxData->setToolTip(QCoreApplication::translate(
      "frmWx", "Click col tasto destro del muose per avviare il Setup. F1=Help"));
  c.lblTemp =
      Label<FittedLabel>(window, "lblTemp", TwipsRect(1300, 215, 735, 255), QString(), value);
  c.picVar[0] = TrendPicture(window, 0, TwipsRect(2020, 215, 255, 245));
  c.lblUR = Label<FittedLabel>(window, "lblUR", TwipsRect(2250, 215, 615, 255), QString(), value);
  c.picVar[1] = TrendPicture(window, 1, TwipsRect(2830, 215, 255, 245));
  c.lblPress =
      Label<FittedLabel>(window, "lblPress", TwipsRect(1250, 425, 1335, 255), QString(), value);
  c.picVar[2] = TrendPicture(window, 2, TwipsRect(2600, 425, 255, 245));
  const std::array<QLabel*, 3> values{c.lblTemp, c.lblUR, c.lblPress};
  for (size_t i = 0; i < values.size(); ++i) KeepClearOf(values[i], c.picVar[i]);
  // The derived values wrap onto a further line, at blanks only.
  c.lblRain =
      Label<BlankWrapLabel>(window, "lblRain", TwipsRect(1200, 650, 1935, 580), QString(), title);
  c.lblRain->setToolTip(QCoreApplication::translate(
      "frmWx", "Click col tasto destro del mouse per avviare il Setup"));
}

void BuildStatusAndRx(QWidget* window, MainWindowControls& c) {
  c.lblWxComment =
      Label<FittedLabel>(window, "lblWxComment", TwipsRect(0, 1210, 3180, 255), QString(),
                         {Red, QColor(224, 224, 224),
                          Font(DesignFamily(DesignFont::Terminal), 9, false), Qt::AlignHCenter});
  c.lblWxComment->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  c.lblWxComment->setToolTip(QCoreApplication::translate(
      "frmWx", "Click col tasto destro per abilitare/disabilitare la finestra Rx"));
  c.List2 = new QListWidget(window);
  c.List2->setObjectName(QStringLiteral("List2"));
  c.List2->setGeometry(TwipsRect(0, 1470, 3180, 390));
  c.List2->setFont(TwoLinesFont(Font(DesignFamily(DesignFont::Small), 6.75, false),
                                c.List2->height() - 2 * c.List2->frameWidth()));
  QPalette pal = c.List2->palette();
  pal.setColor(QPalette::Base, LightYellow);
  pal.setColor(QPalette::Disabled, QPalette::Base, LightYellow);
  pal.setColor(QPalette::Disabled, QPalette::Text, RxText);
  c.List2->setPalette(pal);
  c.List2->setEnabled(false);  // display only: the user cannot select a line
  // A list box of two plain lines: no scroll bars, a long line ending in "…" at the right edge.
  c.List2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  c.List2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  c.List2->setTextElideMode(Qt::ElideRight);
  c.List2->setUniformItemSizes(true);
  c.List2->setSpacing(0);
  c.List2->hide();
}

}  // namespace

QFont WindowFont() {
  return SansFont(8.25, true);
}

MainWindowControls BuildMainWindowControls(QWidget* window) {
  MainWindowControls c;
  BuildCompass(window, c);
  BuildValueLabels(window, c);
  BuildStatusAndRx(window, c);
  // A picture box lies over the labels it overlaps: the compass ends in one straight edge.
  c.picWx->raise();
  return c;
}
