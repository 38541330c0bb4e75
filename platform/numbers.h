// Number conversion and formatting with the rules the program relies on:
// rounding to integers (halves to even), checked 16- and 32-bit ranges,
// integer division, four-decimal fixed point, the lenient numeric reading of
// texts, and the display patterns for numbers, texts, dates and times.
//
// Conversions that fail throw RuntimeError with the runtime's error number
// (6 overflow, 11 division by zero, 13 type mismatch).
#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace plat {

// ---- Rounding and integer ranges ------------------------------------------

// Nearest integer, exact halves to the even neighbour (8.5 -> 8, 9.5 -> 10,
// -2.5 -> -2). NaN and infinities throw overflow.
double roundHalfEven(double v);

// CInt: nearest integer (halves to even) in the 16-bit range -32768..32767;
// outside it, overflow (error 6).
int cint(double v);
std::int16_t cint16(double v);
// CLng: the same in the 32-bit range.
std::int32_t clng(double v);

// A whole number that must fit 16 bits (a result of integer arithmetic
// stored into a 16-bit field); overflow (error 6) when it does not.
std::int16_t toInt16(long long v);
std::int32_t toInt32(long long v);
// Whether v fits a 16-bit field.
constexpr bool fitsInt16(long long v) { return v >= -32768 && v <= 32767; }

// Int: the largest integer not above v (Int(-2.5) = -3).
double intPart(double v);
// Fix: v with its fraction dropped, toward zero (Fix(-2.5) = -2).
double fixPart(double v);

// Integer division "\": truncates toward zero (-7 \ 2 = -3); b == 0 throws
// error 11; a quotient outside 64 bits throws error 6.
long long idiv(long long a, long long b);
// Mod: the remainder of idiv, with the sign of a (-7 Mod 2 = -1).
long long imod(long long a, long long b);

// Four-decimal fixed point (the runtime's currency type): v scaled by 10000
// and rounded to the nearest integer, halves to even. Out of range (about
// +-9.2e14) throws overflow.
std::int64_t toFixed4(double v);
// The same value back as a double: roundFixed4(1.83711730708738) = 1.8371.
double roundFixed4(double v);

// ---- Reading numbers from text ---------------------------------------------

// Val: the numeric value at the start of a text. Blanks, tabs and line feeds
// are skipped wherever they stand; an optional sign, digits, one '.' as the
// decimal point and an exponent (E or D, optional sign, digits) are taken,
// and reading stops at the first character that cannot continue the number.
// "&H" and "&O" (or "&" alone) introduce hexadecimal and octal integers;
// values that fit 16 bits are read as signed 16-bit ("&HFFFF" = -1), else as
// signed 32-bit. Nothing numeric gives 0. A value too large for a double
// throws overflow.
//   " 12ab" -> 12, "1 2 3" -> 123, "-3" -> -3, "" -> 0, "1e2" -> 100,
//   "&H1F" -> 31, "3.5.2" -> 3.5, "1,5" -> 1
double val(const QString& text);

// A strict conversion of a whole text to a number, for fields that must be
// numeric: surrounding blanks are allowed, then an optional sign, digits with
// at most one decimal separator ('.' or ',', so that a value written under
// either convention reads back the same) and an optional exponent. Anything
// else, or an empty text, gives no value.
std::optional<double> parseReal(const QString& text);
// parseReal, rounded (halves to even) into 16 or 32 bits; no value when the
// text is not a number or the result does not fit.
std::optional<std::int16_t> parseInt16(const QString& text);
std::optional<std::int32_t> parseInt32(const QString& text);

// ---- Numbers to text --------------------------------------------------------

// Str: up to 15 significant digits, a leading blank for a number that is not
// negative, '.' as decimal point, no zero before the point (" .5", "-.25"),
// scientific form outside 1e-5 <= |v| < 1e15 (" 1E+15", " 1E-05").
QString str(double v);
// The same without the leading blank, with the display decimal separator
// (the conversion a number gets when it is shown or joined to a text):
// "12", "0,5" with Spanish separators.
QString cstr(double v);

// Decimal and thousands separators used by format().
struct NumberSeparators {
    QChar decimal;
    QChar group;
};
// '.' and ',': for numbers kept in files, independent of where the program runs.
constexpr NumberSeparators kFileSeparators{QChar(u'.'), QChar(u',')};
// ',' and '.': the Spanish conventions of the program's texts. This is the
// default display setting.
constexpr NumberSeparators kSpanishSeparators{QChar(u','), QChar(u'.')};
NumberSeparators displaySeparators();
void setDisplaySeparators(NumberSeparators s);

// Format with a numeric pattern. Placeholders: '0' (a digit, zero when there
// is none), '#' (a digit, nothing when there is none), '.' (the decimal
// separator), ',' between integer placeholders (group thousands), '%' (the
// value times 100). Any other character is copied; "\x" copies x and "text"
// in double quotes is copied as it stands. The value is rounded to the
// pattern's decimals with halves away from zero, on its 15-significant-digit
// decimal form (2.5 "0" -> "3", 2.675 "0.00" -> "2.68"). A value that rounds
// to zero shows no minus sign. Integer digits beyond the placeholders are all
// shown. An empty pattern gives cstr(). Sections separated by ';' are not
// supported: the whole pattern is one section.
//   5 "00" -> "05", 5 "#0" -> "5", 1234567 "#,##0" -> "1.234.567",
//   12.5 "#0.0000" -> "12,5000", 0.5 "#.00" -> ",50"
QString format(double v, const QString& pattern);
QString format(double v, const QString& pattern, NumberSeparators s);

// Format a text with a pattern of '@' (a character, or a blank when the text
// has run out) and '&' (a character, or nothing). The placeholders are filled
// from the right, so shorter texts come out right-aligned ("7" "@@@" -> "  7",
// "5" "&&@" -> "5"); a text longer than the placeholders keeps its extra
// characters on the left. A '!' anywhere fills from the left instead; '<' and
// '>' turn the text to lower or upper case. Other characters are copied.
QString formatText(const QString& text, const QString& pattern);

// ---- Dates and times --------------------------------------------------------
//
// A date value is a count of days since 30 December 1899 with the time of day
// as its fraction (0.5 = noon); a duration of s seconds is the value s / 86400.
// Times are rounded to the nearest second.

// Days since 30 December 1899 of a local date and time, and back.
double toDateValue(const QDateTime& dt);
QDateTime fromDateValue(double days);

// Format a date value. Patterns:
//   "c"    general: the date (dd/mm/yyyy) when the whole part is not zero, then
//          the time in 24-hour form H:mm:ss when the fraction is not zero or the
//          value is zero; date and time separated by a blank.
//          0 -> "0:00:00", 323 / 86400 -> "0:05:23", 1.5 -> "31/12/1899 12:00:00".
//   d dd   day;  m mm   month, or minutes right after an hour (h:mm) or right
//   before seconds (mm:ss);  n nn   minutes;  yy yyyy   year;  h hh   hour
//   (0-23);  s ss   seconds;  '/' and ':' are copied, as are other characters.
//   "dd/mm/yyyy" -> "05/03/2024", "hh:mm:ss" -> "09:07:02", "hh:mm" -> "09:07".
QString formatDate(double days, const QString& pattern);

} // namespace plat
