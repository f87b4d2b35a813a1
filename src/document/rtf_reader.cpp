#include "rtf_reader.h"

#include <QColor>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <algorithm>
#include <vector>

#include "windows1252.h"

namespace {

enum class Destination { Text, Skip, FontTable, ColorTable };

struct GroupState {
  Destination dest = Destination::Text;
  bool bold = false, italic = false, underline = false, strike = false;
  int halfPoints = 24;
  int font = -1, colour = 0, highlight = 0;
  Qt::Alignment align = Qt::AlignLeft;
  int leftIndent = 0, rightIndent = 0, firstIndent = 0;  // twips
  int spaceBefore = 0, spaceAfter = 0;                   // twips
  int unicodeSkip = 1;
};

// Destinations whose text is not part of the document.
bool IsSkippedDestination(const QByteArray& word) {
  static const char* const skipped[] = {"info",
                                        "stylesheet",
                                        "pict",
                                        "header",
                                        "headerl",
                                        "headerr",
                                        "headerf",
                                        "footer",
                                        "footerl",
                                        "footerr",
                                        "footerf",
                                        "object",
                                        "fldinst",
                                        "pn",
                                        "listtable",
                                        "listoverridetable",
                                        "rsidtbl",
                                        "xmlnstbl",
                                        "generator",
                                        "themedata",
                                        "colorschememapping",
                                        "datastore",
                                        "latentstyles",
                                        "filetbl",
                                        "revtbl",
                                        "userprops",
                                        "bkmkstart",
                                        "bkmkend",
                                        "nonshppict",
                                        "shppict",
                                        "footnote",
                                        "annotation",
                                        "template",
                                        "mmathPr",
                                        "pgdsctbl",
                                        "operator",
                                        "author",
                                        "title",
                                        "company"};
  return std::any_of(std::begin(skipped), std::end(skipped),
                     [&](const char* s) { return word == s; });
}

class RtfReader {
 public:
  RtfReader(const QByteArray& rtf, QTextDocument* doc) : in_(rtf), cursor_(doc) {}
  void Run();

 private:
  GroupState& S() { return stack_.back(); }
  void OpenGroup();
  void CloseGroup();
  void ControlWord(const QByteArray& word, bool hasParam, int param);
  bool CharacterWord(const QByteArray& word, bool hasParam, int param);
  bool ParagraphWord(const QByteArray& word, int param);
  void ControlSymbol(char c);
  void Text(QChar c);
  void TableText(char c);
  void Flush();
  void EndParagraph();
  QTextCharFormat CharFormat() const;
  QTextBlockFormat BlockFormat() const;
  int ReadParam(bool& has);

  const QByteArray& in_;
  qsizetype pos_ = 0;
  QTextCursor cursor_;
  std::vector<GroupState> stack_{GroupState{}};
  int depth_ = 0;  // may exceed the stack when nesting is deeper than RtfMaxDepth
  QString pending_;
  int skipChars_ = 0;             // characters still to skip after a \uN
  bool destinationNext_ = false;  // after \*
  QHash<int, QString> fonts_;
  QByteArray fontName_;
  int fontNumber_ = 0;
  std::vector<QColor> colours_;
  int red_ = 0, green_ = 0, blue_ = 0;
  bool colourSet_ = false;
};

void RtfReader::Run() {
  cursor_.document()->clear();
  cursor_ = QTextCursor(cursor_.document());
  while (pos_ < in_.size()) {
    const char c = in_[pos_++];
    if (c == '{') {
      OpenGroup();
    } else if (c == '}') {
      CloseGroup();
    } else if (c == '\\') {
      if (pos_ >= in_.size()) break;
      const char next = in_[pos_];
      if (!std::isalpha(static_cast<unsigned char>(next))) {
        ++pos_;
        ControlSymbol(next);
        continue;
      }
      QByteArray word;
      while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) &&
             word.size() < 32)
        word += in_[pos_++];
      bool has = false;
      const int param = ReadParam(has);
      if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
      ControlWord(word, has, param);
    } else if (c == '\r' || c == '\n') {
      continue;
    } else if (S().dest == Destination::FontTable || S().dest == Destination::ColorTable) {
      TableText(c);
    } else {
      Text(QChar(static_cast<unsigned char>(c)));
    }
  }
  EndParagraph();
}

int RtfReader::ReadParam(bool& has) {
  bool negative = false;
  if (pos_ < in_.size() && in_[pos_] == '-') {
    negative = true;
    ++pos_;
  }
  long long value = 0;
  while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
    has = true;
    value = std::min(value * 10 + (in_[pos_++] - '0'), 1000000000LL);  // huge numbers are capped
  }
  return int(negative ? -value : value);
}

void RtfReader::OpenGroup() {
  Flush();
  ++depth_;
  if (depth_ < RtfMaxDepth) stack_.push_back(stack_.back());
}

void RtfReader::CloseGroup() {
  if (depth_ == 0) return;  // an extra closing brace is ignored
  Flush();
  if (S().dest == Destination::FontTable && !fontName_.isEmpty()) TableText(';');
  if (depth_ < RtfMaxDepth) stack_.pop_back();
  --depth_;
  destinationNext_ = false;
}

void RtfReader::ControlWord(const QByteArray& word, bool hasParam, int param) {
  if (destinationNext_) {
    destinationNext_ = false;
    if (word != "fldrslt") S().dest = Destination::Skip;
  }
  if (S().dest == Destination::Skip) return;
  if (word == "fonttbl") return void(S().dest = Destination::FontTable);
  if (word == "colortbl") return void(S().dest = Destination::ColorTable);
  if (IsSkippedDestination(word)) return void((Flush(), S().dest = Destination::Skip));
  if (S().dest == Destination::FontTable) {
    if (word == "f") fontNumber_ = param;
    return;
  }
  if (S().dest == Destination::ColorTable) {
    colourSet_ = true;
    if (word == "red") red_ = std::clamp(param, 0, 255);
    if (word == "green") green_ = std::clamp(param, 0, 255);
    if (word == "blue") blue_ = std::clamp(param, 0, 255);
    return;
  }
  if (word == "u" && hasParam) {
    const bool valid = param >= -32768 && param <= 65535;
    Text(valid ? QChar(char16_t(param < 0 ? param + 65536 : param)) : QChar::ReplacementCharacter);
    skipChars_ = S().unicodeSkip;
    return;
  }
  if (word == "uc") return void(S().unicodeSkip = std::clamp(param, 0, 16));
  if (CharacterWord(word, hasParam, param)) return;
  ParagraphWord(word, param);
}

bool RtfReader::CharacterWord(const QByteArray& word, bool hasParam, int param) {
  const bool on = !hasParam || param != 0;
  GroupState& s = S();
  auto set = [&](auto& field, auto value) {
    Flush();
    field = value;
    return true;
  };
  if (word == "b") return set(s.bold, on);
  if (word == "i") return set(s.italic, on);
  if (word == "ul") return set(s.underline, on);
  if (word == "ulnone") return set(s.underline, false);
  if (word == "strike") return set(s.strike, on);
  if (word == "fs") return set(s.halfPoints, std::clamp(hasParam ? param : 24, 2, 800));
  if (word == "f") return set(s.font, param);
  if (word == "cf") return set(s.colour, param);
  if (word == "highlight" || word == "cb") return set(s.highlight, param);
  if (word == "plain") {
    Flush();
    const GroupState keep = s;
    s = GroupState{};
    s.dest = keep.dest;
    s.align = keep.align;
    s.leftIndent = keep.leftIndent, s.rightIndent = keep.rightIndent;
    s.firstIndent = keep.firstIndent, s.unicodeSkip = keep.unicodeSkip;
    s.spaceBefore = keep.spaceBefore, s.spaceAfter = keep.spaceAfter;
    return true;
  }
  static const QHash<QByteArray, char16_t> symbols = {
      {"tab", u'\t'},        {"line", 0x2028},    {"bullet", 0x2022}, {"emdash", 0x2014},
      {"endash", 0x2013},    {"lquote", 0x2018},  {"rquote", 0x2019}, {"ldblquote", 0x201C},
      {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002}};
  const auto symbol = symbols.constFind(word);
  if (symbol != symbols.constEnd()) {
    Text(QChar(*symbol));
    return true;
  }
  return false;
}

bool RtfReader::ParagraphWord(const QByteArray& word, int param) {
  GroupState& s = S();
  if (word == "par") return EndParagraph(), true;
  if (word == "pard") {
    s.align = Qt::AlignLeft;
    s.leftIndent = s.rightIndent = s.firstIndent = 0;
    s.spaceBefore = s.spaceAfter = 0;
    return true;
  }
  if (word == "ql") return s.align = Qt::AlignLeft, true;
  if (word == "qc") return s.align = Qt::AlignHCenter, true;
  if (word == "qr") return s.align = Qt::AlignRight, true;
  if (word == "qj") return s.align = Qt::AlignJustify, true;
  const int twips = std::clamp(param, -31680, 31680);  // at most 22 inches
  if (word == "li") return s.leftIndent = twips, true;
  if (word == "ri") return s.rightIndent = twips, true;
  if (word == "fi") return s.firstIndent = twips, true;
  if (word == "sb") return s.spaceBefore = std::max(0, twips), true;
  if (word == "sa") return s.spaceAfter = std::max(0, twips), true;
  return false;
}

void RtfReader::ControlSymbol(char c) {
  if (c == '*') return void(destinationNext_ = true);
  if (S().dest == Destination::Skip) return;
  if (c == '\'') {
    int value = 0;
    for (int i = 0; i < 2 && pos_ < in_.size(); ++i) {
      const int digit = QByteArray(1, in_[pos_]).toInt(nullptr, 16);
      if (!std::isxdigit(static_cast<unsigned char>(in_[pos_]))) break;
      value = value * 16 + digit;
      ++pos_;
    }
    const char byte = char(value);
    if (S().dest == Destination::FontTable) return TableText(byte);
    return Text(FromWindows1252(&byte, 1)[0]);
  }
  if (c == '\r' || c == '\n') return EndParagraph();
  if (c == '~') return Text(QChar(0x00A0));
  if (c == '_') return Text(QChar(0x2011));
  if (c == '-') return;  // optional hyphen
  if (c == '{' || c == '}' || c == '\\') return Text(QChar(c));
}

void RtfReader::Text(QChar c) {
  if (S().dest != Destination::Text) return;
  if (skipChars_ > 0) {
    --skipChars_;
    return;
  }
  pending_ += c;
}

void RtfReader::TableText(char c) {
  if (S().dest == Destination::FontTable) {
    if (c == ';') {
      fonts_.insert(fontNumber_, QString::fromLatin1(fontName_.trimmed()));
      fontName_.clear();
    } else if (fontName_.size() < 256) {
      fontName_ += c;
    }
  } else if (c == ';' && colours_.size() < 4096) {
    colours_.push_back(colourSet_ ? QColor(red_, green_, blue_) : QColor());
    red_ = green_ = blue_ = 0;
    colourSet_ = false;
  }
}

QTextCharFormat RtfReader::CharFormat() const {
  const GroupState& s = stack_.back();
  QTextCharFormat f;
  f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(s.italic);
  f.setFontUnderline(s.underline);
  f.setFontStrikeOut(s.strike);
  f.setFontPointSize(s.halfPoints / 2.0);
  if (fonts_.contains(s.font)) f.setFontFamilies({fonts_.value(s.font)});
  const auto colour = [&](int i) {
    return i > 0 && size_t(i) < colours_.size() ? colours_[size_t(i)] : QColor();
  };
  if (colour(s.colour).isValid()) f.setForeground(colour(s.colour));
  if (colour(s.highlight).isValid()) f.setBackground(colour(s.highlight));
  return f;
}

QTextBlockFormat RtfReader::BlockFormat() const {
  const GroupState& s = stack_.back();
  QTextBlockFormat f;
  f.setAlignment(s.align);
  f.setLeftMargin(s.leftIndent / 20.0);  // twips to points
  f.setRightMargin(s.rightIndent / 20.0);
  f.setTextIndent(s.firstIndent / 20.0);
  f.setTopMargin(s.spaceBefore / 20.0);
  f.setBottomMargin(s.spaceAfter / 20.0);
  // A hanging indent has an implicit tab stop where the text starts, as word processors do.
  if (s.firstIndent < 0)
    f.setTabPositions({QTextOption::Tab(-s.firstIndent / 20.0, QTextOption::LeftTab)});
  return f;
}

void RtfReader::Flush() {
  if (pending_.isEmpty()) return;
  cursor_.setBlockFormat(BlockFormat());
  cursor_.insertText(pending_, CharFormat());
  pending_.clear();
}

void RtfReader::EndParagraph() {
  if (S().dest != Destination::Text) return;
  Flush();
  cursor_.setBlockFormat(BlockFormat());
  if (pos_ < in_.size()) cursor_.insertBlock(BlockFormat(), CharFormat());
}

}  // namespace

void ReadRtf(const QByteArray& rtf, QTextDocument* document) {
  RtfReader reader(rtf, document);
  reader.Run();
}
