#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "core/errors.h"
#include "locale/float_text.h"

namespace drevlin {
namespace {

[[noreturn]] void ThrowNotFloat(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid floating point value").toStdString());
}

[[noreturn]] void ThrowNotInteger(const QString& text) {
  throw EConvertError(("'" + text + "' is not a valid integer value").toStdString());
}

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Walks a typed number from left to right, copying what it accepts into an
// ASCII text with "." as separator.
class Scanner {
 public:
  explicit Scanner(const QString& text) : text_(text) {}

  void SkipBlanks() {
    while (At() && IsBlank(text_[pos_])) ++pos_;
  }
  bool TakeSign() {
    if (At() && (text_[pos_] == QLatin1Char('+') || text_[pos_] == QLatin1Char('-'))) {
      ascii_ += static_cast<char>(text_[pos_++].unicode());
      return true;
    }
    return false;
  }
  int TakeDigits() {
    int count = 0;
    while (At() && IsDigit(text_[pos_])) {
      ascii_ += static_cast<char>(text_[pos_++].unicode());
      ++count;
    }
    return count;
  }
  bool TakeSeparator(const QString& separator) {
    if (At() && text_[pos_] == QLatin1Char('.')) {
      ++pos_;
    } else if (!separator.isEmpty() && QStringView(text_).mid(pos_).startsWith(separator)) {
      pos_ += separator.size();
    } else {
      return false;
    }
    ascii_ += '.';
    return true;
  }
  bool TakeExponentMark() {
    if (At() && (text_[pos_] == QLatin1Char('e') || text_[pos_] == QLatin1Char('E'))) {
      ascii_ += 'e';
      ++pos_;
      return true;
    }
    return false;
  }
  bool AtEnd() const { return pos_ == text_.size(); }
  const std::string& Ascii() const { return ascii_; }

 private:
  bool At() const { return pos_ < text_.size(); }
  const QString& text_;
  qsizetype pos_ = 0;
  std::string ascii_;
};

}  // namespace

double ReadFloat(const QString& text, const QLocale& locale) {
  Scanner scan(text);
  scan.SkipBlanks();
  const bool sign = scan.TakeSign();
  int digits = scan.TakeDigits();
  if (scan.TakeSeparator(locale.decimalPoint())) digits += scan.TakeDigits();
  if (digits == 0) ThrowNotFloat(text);
  if (scan.TakeExponentMark()) {
    scan.TakeSign();
    if (scan.TakeDigits() == 0) ThrowNotFloat(text);
  }
  scan.SkipBlanks();
  if (!scan.AtEnd()) ThrowNotFloat(text);

  // from_chars takes no "+" in front; the checked form leaves it nothing
  // else to accept (no "inf", no hex).
  const std::string& ascii = scan.Ascii();
  const char* first = ascii.data() + (sign && ascii[0] == '+' ? 1 : 0);
  double value = 0;
  const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), value);
  if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value))
    ThrowNotFloat(text);
  return value;
}

int ReadInteger(const QString& text) {
  Scanner scan(text);
  scan.SkipBlanks();
  scan.TakeSign();
  if (scan.TakeDigits() == 0) ThrowNotInteger(text);
  scan.SkipBlanks();
  if (!scan.AtEnd()) ThrowNotInteger(text);
  const std::string& ascii = scan.Ascii();
  const char* first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
  int value = 0;
  const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), value);
  if (error != std::errc() || end != ascii.data() + ascii.size()) ThrowNotInteger(text);
  return value;
}

bool HasMinusSign(const QString& text) {
  for (const QChar c : text) {
    if (!IsBlank(c)) return c == QLatin1Char('-');
  }
  return false;
}

QString GeneralText(double value, const QLocale& locale) { return platform::FloatText(value, locale); }

QString FixedGeneralText(double value, const QLocale& locale) {
  QString text = platform::FloatText(value);
  if (text.contains(QLatin1Char('E'))) {
    // The same 15 significant digits, written out in full.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    text = QString::number(value, 'f', std::max(0, 14 - exponent));
    if (text.contains(QLatin1Char('.'))) {
      while (text.endsWith(QLatin1Char('0'))) text.chop(1);
      if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
  }
  return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

QString FirstCharacters(double value, int count, const QLocale& locale) {
  return FixedGeneralText(value, locale).left(count);
}

QString TwoDecimalsText(double value, const QLocale& locale) {
  // No "-0.00" for a value that rounds to nothing.
  QString text = QString::number(value, 'f', 2);
  if (text == QLatin1String("-0.00")) text = QStringLiteral("0.00");
  return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

QString RoundedText(double value) {
  // nearbyint rounds in the default mode, to nearest with ties to even.
  return QString::number(static_cast<long long>(std::nearbyint(value)));
}

}  // namespace drevlin
