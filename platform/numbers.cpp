#include "platform/numbers.h"

#include "platform/errors.h"

#include <QDate>
#include <QTime>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace plat {

namespace {

[[noreturn]] void overflow() { throw RuntimeError(err::kOverflow); }

// A finite double as its 15 significant decimal digits: value =
// d0.d1d2...d14 x 10^exp10 (digits has 15 characters, d0 is not '0' unless
// the value is zero).
struct Decimal15 {
    bool negative = false;
    std::string digits;
    int exp10 = 0;
    bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

Decimal15 toDecimal15(double v) {
    Decimal15 d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string s(buf, res.ptr);
    std::size_t i = 0;
    if (s[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = s.find('e');
    for (std::size_t k = i; k < e; ++k)
        if (s[k] != '.') d.digits += s[k];
    d.exp10 = std::stoi(s.substr(e + 1));
    return d;
}

// The value rounded to `decimals` fractional digits, halves away from zero,
// as the digits of value x 10^decimals (no leading zeros; "0" for zero).
std::string scaledDigits(const Decimal15& d, int decimals) {
    const int keep = d.exp10 + decimals + 1; // digits of d.digits that stay
    std::string out;
    bool roundUp = false;
    if (keep <= 0) {
        roundUp = keep == 0 && d.digits[0] >= '5';
    } else if (keep >= static_cast<int>(d.digits.size())) {
        out = d.digits + std::string(keep - d.digits.size(), '0');
    } else {
        out = d.digits.substr(0, keep);
        roundUp = d.digits[keep] >= '5';
    }
    if (roundUp) {
        int k = static_cast<int>(out.size()) - 1;
        while (k >= 0 && out[k] == '9') out[k--] = '0';
        if (k < 0) out.insert(out.begin(), '1');
        else ++out[k];
    }
    const std::size_t nz = out.find_first_not_of('0');
    return nz == std::string::npos ? std::string("0") : out.substr(nz);
}

NumberSeparators g_display = kSpanishSeparators;

// The 15-digit form of v as plain or scientific text; `leadingZero` puts a
// "0" before the decimal point of a value below 1.
QString shortestText(double v, QChar decimal, bool leadingZero) {
    if (!std::isfinite(v)) overflow();
    if (v == 0) return QStringLiteral("0");
    Decimal15 d = toDecimal15(v);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    QString out;
    if (d.negative) out += u'-';
    const int n = static_cast<int>(d.digits.size());
    if (d.exp10 >= -5 && d.exp10 < 15) {
        if (d.exp10 >= 0) {
            const int intLen = d.exp10 + 1;
            for (int k = 0; k < intLen; ++k) out += QChar(k < n ? d.digits[k] : '0');
            if (n > intLen) {
                out += decimal;
                out += QString::fromLatin1(d.digits.c_str() + intLen);
            }
        } else {
            if (leadingZero) out += u'0';
            out += decimal;
            out += QString(-d.exp10 - 1, u'0');
            out += QString::fromLatin1(d.digits.c_str());
        }
    } else {
        out += QChar(d.digits[0]);
        if (n > 1) {
            out += decimal;
            out += QString::fromLatin1(d.digits.c_str() + 1);
        }
        out += u'E';
        out += d.exp10 < 0 ? u'-' : u'+';
        out += QString::number(std::abs(d.exp10)).rightJustified(2, u'0');
    }
    return out;
}

bool isValBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int digitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Converts an ASCII number text; a value beyond the double range throws
// overflow, one too small to represent gives zero.
double convertAscii(const std::string& s, bool* ok) {
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    *ok = res.ec == std::errc() && res.ptr == s.data() + s.size();
    if (res.ec == std::errc::result_out_of_range) {
        // Tell overflow from underflow by the magnitude of the text.
        std::size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
        int magnitude = 0;
        bool seenNonZero = false;
        bool afterPoint = false;
        for (; i < s.size() && s[i] != 'e'; ++i) {
            if (s[i] == '.') {
                afterPoint = true;
                continue;
            }
            if (!afterPoint && (seenNonZero || s[i] != '0')) {
                seenNonZero = true;
                ++magnitude;
            } else if (afterPoint && !seenNonZero) {
                if (s[i] == '0') --magnitude;
                else seenNonZero = true;
            }
        }
        long long e = 0;
        if (i < s.size()) {
            const long long lim = 100000;
            bool neg = false;
            std::size_t k = i + 1;
            if (k < s.size() && (s[k] == '-' || s[k] == '+')) neg = s[k++] == '-';
            for (; k < s.size(); ++k) e = std::min(lim, e * 10 + (s[k] - '0'));
            if (neg) e = -e;
        }
        if (magnitude + e > 0) overflow();
        *ok = true;
        return s[0] == '-' ? -0.0 : 0.0;
    }
    return v;
}

// v rounded (halves to even) into T; nothing when it does not fit.
template <class T> std::optional<T> roundedInto(double v) {
    const double r = roundHalfEven(v);
    if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(r);
}

} // namespace

// ---- Rounding and integer ranges ------------------------------------------

double roundHalfEven(double v) {
    if (!std::isfinite(v)) overflow();
    double r = std::round(v);
    if (std::fabs(r - v) == 0.5) r = 2.0 * std::round(v / 2.0);
    return r;
}

int cint(double v) { return cint16(v); }

std::int16_t cint16(double v) {
    const auto r = roundedInto<std::int16_t>(v);
    if (!r) overflow();
    return *r;
}

std::int32_t clng(double v) {
    const auto r = roundedInto<std::int32_t>(v);
    if (!r) overflow();
    return *r;
}

std::int16_t toInt16(long long v) {
    if (v < INT16_MIN || v > INT16_MAX) overflow();
    return static_cast<std::int16_t>(v);
}

std::int32_t toInt32(long long v) {
    if (v < INT32_MIN || v > INT32_MAX) overflow();
    return static_cast<std::int32_t>(v);
}

double intPart(double v) { return std::floor(v); }

double fixPart(double v) { return std::trunc(v); }

long long idiv(long long a, long long b) {
    if (b == 0) throw RuntimeError(err::kDivisionByZero);
    if (a == LLONG_MIN && b == -1) overflow();
    return a / b;
}

long long imod(long long a, long long b) {
    if (b == 0) throw RuntimeError(err::kDivisionByZero);
    if (b == -1) return 0;
    return a % b;
}

std::int64_t toFixed4(double v) {
    const double scaled = v * 10000.0;
    if (!std::isfinite(scaled)) overflow();
    const double r = roundHalfEven(scaled);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (r >= 9223372036854775808.0 || r < -9223372036854775808.0) overflow();
    return static_cast<std::int64_t>(r);
}

double roundFixed4(double v) { return static_cast<double>(toFixed4(v)) / 10000.0; }

// ---- Reading numbers from text ---------------------------------------------

double val(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!isValBlank(c)) s += c;
    const qsizetype n = s.size();
    qsizetype i = 0;
    if (n > 0 && s[0] == u'&') {
        int base = 8;
        i = 1;
        if (i < n && (s[i] == u'H' || s[i] == u'h')) {
            base = 16;
            ++i;
        } else if (i < n && (s[i] == u'O' || s[i] == u'o')) {
            ++i;
        }
        unsigned long long acc = 0;
        bool any = false;
        for (; i < n; ++i) {
            const int digit = digitValue(s[i]);
            if (digit < 0 || digit >= base) break;
            acc = acc * base + digit;
            any = true;
            if (acc > 0xFFFFFFFFull) overflow();
        }
        if (!any) return 0;
        if (acc <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(acc));
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(acc));
    }

    std::string ascii;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-') ascii += '-';
        ++i;
    }
    bool digits = false;
    for (; i < n && isDigit(s[i]); ++i) {
        ascii += static_cast<char>(s[i].unicode());
        digits = true;
    }
    if (i < n && s[i] == u'.') {
        ++i;
        std::string frac;
        for (; i < n && isDigit(s[i]); ++i) {
            frac += static_cast<char>(s[i].unicode());
            digits = true;
        }
        if (!frac.empty()) ascii += "." + frac;
    }
    if (!digits) return 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        qsizetype k = i + 1;
        std::string exp = "e";
        if (k < n && (s[k] == u'+' || s[k] == u'-')) exp += static_cast<char>(s[k++].unicode());
        bool expDigits = false;
        for (; k < n && isDigit(s[k]); ++k) {
            exp += static_cast<char>(s[k].unicode());
            expDigits = true;
        }
        if (expDigits) ascii += exp;
    }
    bool ok = false;
    return convertAscii(ascii, &ok);
}

std::optional<double> parseReal(const QString& text) {
    const QString s = text.trimmed();
    const qsizetype n = s.size();
    qsizetype i = 0;
    std::string ascii;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-') ascii += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < n; ++i) {
        if (isDigit(s[i])) {
            ascii += static_cast<char>(s[i].unicode());
            digits = true;
        } else if ((s[i] == u'.' || s[i] == u',') && !point) {
            ascii += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    if (ascii.back() == '.') ascii.pop_back();
    if (ascii.front() == '.' || (ascii.size() > 1 && ascii[0] == '-' && ascii[1] == '.'))
        ascii.insert(ascii.front() == '-' ? 1 : 0, "0");
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        ascii += 'e';
        if (i < n && (s[i] == u'+' || s[i] == u'-')) ascii += static_cast<char>(s[i++].unicode());
        bool expDigits = false;
        for (; i < n && isDigit(s[i]); ++i) {
            ascii += static_cast<char>(s[i].unicode());
            expDigits = true;
        }
        if (!expDigits) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    bool ok = false;
    try {
        const double v = convertAscii(ascii, &ok);
        if (!ok) return std::nullopt;
        return v;
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<std::int16_t> parseInt16(const QString& text) {
    const auto v = parseReal(text);
    return v ? roundedInto<std::int16_t>(*v) : std::nullopt;
}

std::optional<std::int32_t> parseInt32(const QString& text) {
    const auto v = parseReal(text);
    return v ? roundedInto<std::int32_t>(*v) : std::nullopt;
}

// ---- Numbers to text --------------------------------------------------------

QString str(double v) {
    const QString t = shortestText(v, QChar(u'.'), false);
    return t.startsWith(u'-') ? t : QStringLiteral(" ") + t;
}

QString cstr(double v) { return shortestText(v, g_display.decimal, true); }

NumberSeparators displaySeparators() { return g_display; }

void setDisplaySeparators(NumberSeparators s) { g_display = s; }

QString format(double v, const QString& pattern) { return format(v, pattern, g_display); }

QString format(double v, const QString& pattern, NumberSeparators seps) {
    if (!std::isfinite(v)) overflow();
    if (pattern.isEmpty()) {
        return shortestText(v, seps.decimal, true);
    }

    // Tokens of the pattern.
    enum Kind { Literal, IntDigit, FracDigit, Point };
    struct Token {
        Kind kind;
        QString text; // literal text, or "0" / "#"
    };
    std::vector<Token> tokens;
    bool seenPoint = false;
    bool grouping = false;
    bool percent = false;
    bool seenIntDigit = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'0' || c == u'#') {
            tokens.push_back({seenPoint ? FracDigit : IntDigit, QString(c)});
            if (!seenPoint) seenIntDigit = true;
        } else if (c == u'.' && !seenPoint) {
            tokens.push_back({Point, QString()});
            seenPoint = true;
        } else if (c == u',' && !seenPoint && seenIntDigit) {
            grouping = true;
        } else if (c == u'\\' && i + 1 < pattern.size()) {
            tokens.push_back({Literal, QString(pattern[++i])});
        } else if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            tokens.push_back({Literal, pattern.mid(i + 1, stop - i - 1)});
            i = stop;
        } else {
            if (c == u'%') percent = true;
            tokens.push_back({Literal, QString(c)});
        }
    }

    int intSlots = 0, minInt = 0, fracSlots = 0, minFrac = 0;
    for (const Token& t : tokens) {
        if (t.kind == IntDigit) {
            ++intSlots;
            if (t.text == u"0") ++minInt;
        } else if (t.kind == FracDigit) {
            ++fracSlots;
            if (t.text == u"0") minFrac = fracSlots;
        }
    }

    const double value = percent ? v * 100.0 : v;
    const Decimal15 dec = toDecimal15(value);
    std::string scaled = scaledDigits(dec, fracSlots);
    if (static_cast<int>(scaled.size()) < fracSlots + 1)
        scaled.insert(0, fracSlots + 1 - scaled.size(), '0');
    std::string intDigits = scaled.substr(0, scaled.size() - fracSlots);
    std::string fracDigits = scaled.substr(scaled.size() - fracSlots);
    const bool resultIsZero = scaled.find_first_not_of('0') == std::string::npos;
    if (intDigits == "0") intDigits.clear();
    if (static_cast<int>(intDigits.size()) < minInt) intDigits.insert(0, minInt - intDigits.size(), '0');
    while (static_cast<int>(fracDigits.size()) > minFrac && fracDigits.back() == '0') fracDigits.pop_back();

    // The integer part as units placed one per integer placeholder; grouped
    // digits go as one unit.
    std::vector<QString> units;
    if (grouping) {
        QString g;
        const int len = static_cast<int>(intDigits.size());
        for (int k = 0; k < len; ++k) {
            if (k > 0 && (len - k) % 3 == 0) g += seps.group;
            g += QChar(intDigits[k]);
        }
        if (!g.isEmpty()) units.push_back(g);
    } else {
        for (char ch : intDigits) units.push_back(QString(QChar(ch)));
    }

    QString out;
    if (dec.negative && !resultIsZero) out += u'-';
    const int nUnits = static_cast<int>(units.size());
    int intIndex = 0, fracIndex = 0;
    for (const Token& t : tokens) {
        switch (t.kind) {
        case Literal: out += t.text; break;
        case Point: out += seps.decimal; break;
        case FracDigit:
            if (fracIndex < static_cast<int>(fracDigits.size())) out += QChar(fracDigits[fracIndex]);
            ++fracIndex;
            break;
        case IntDigit:
            if (nUnits >= intSlots) {
                if (intIndex == 0)
                    for (int k = 0; k <= nUnits - intSlots; ++k) out += units[k];
                else
                    out += units[nUnits - intSlots + intIndex];
            } else {
                const int offset = intSlots - nUnits;
                if (intIndex >= offset) out += units[intIndex - offset];
            }
            ++intIndex;
            break;
        }
    }
    return out;
}

QString formatText(const QString& text, const QString& pattern) {
    bool leftToRight = false;
    int caseMode = 0; // -1 lower, 1 upper
    struct Token {
        bool placeholder;
        QChar c; // '@' or '&', or the literal
    };
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'!') leftToRight = true;
        else if (c == u'<') caseMode = -1;
        else if (c == u'>') caseMode = 1;
        else if (c == u'@' || c == u'&') tokens.push_back({true, c});
        else if (c == u'\\' && i + 1 < pattern.size()) tokens.push_back({false, pattern[++i]});
        else tokens.push_back({false, c});
    }
    const QString t = caseMode < 0 ? text.toLower() : caseMode > 0 ? text.toUpper() : text;

    int slotCount = 0;
    for (const Token& tok : tokens) slotCount += tok.placeholder ? 1 : 0;
    if (slotCount == 0) {
        QString out;
        for (const Token& tok : tokens) out += tok.c;
        return out + t;
    }

    const qsizetype n = t.size();
    // Which character of the text goes to placeholder k (0-based from the left).
    auto charFor = [&](int k) -> qsizetype {
        if (leftToRight) return k < n ? k : -1;
        const qsizetype fromRight = slotCount - 1 - k;
        return fromRight < n ? n - 1 - fromRight : -1;
    };
    const qsizetype extra = n > slotCount ? n - slotCount : 0;

    QString out;
    int k = 0;
    for (const Token& tok : tokens) {
        if (!tok.placeholder) {
            out += tok.c;
            continue;
        }
        if (!leftToRight && k == 0 && extra > 0) out += t.left(extra);
        const qsizetype idx = charFor(k);
        if (idx >= 0) {
            out += t[idx];
        } else if (tok.c == u'@') {
            out += u' ';
        }
        ++k;
        if (leftToRight && k == slotCount && extra > 0) out += t.mid(slotCount);
    }
    return out;
}

// ---- Dates and times --------------------------------------------------------

namespace {

const QDate kDateZero(1899, 12, 30);

struct DateParts {
    QDate date;
    int seconds = 0; // of the day
    bool hasDate = false;
};

DateParts splitDate(double days) {
    if (!std::isfinite(days)) overflow();
    double whole = std::trunc(days);
    const double frac = std::fabs(days - whole);
    long long secs = std::llround(frac * 86400.0);
    if (secs >= 86400) {
        secs -= 86400;
        whole += days < 0 ? -1 : 1;
    }
    if (std::fabs(whole) > 3e6) overflow();
    DateParts p;
    p.hasDate = whole != 0;
    p.date = kDateZero.addDays(static_cast<qint64>(whole));
    p.seconds = static_cast<int>(secs);
    return p;
}

QString two(int v) { return QString::number(v).rightJustified(2, u'0'); }

QString shortDate(const QDate& d) {
    return two(d.day()) + u'/' + two(d.month()) + u'/' + QString::number(d.year()).rightJustified(4, u'0');
}

QString longTime(int secs) {
    return QString::number(secs / 3600) + u':' + two(secs / 60 % 60) + u':' + two(secs % 60);
}

} // namespace

double toDateValue(const QDateTime& dt) {
    const qint64 days = kDateZero.daysTo(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? static_cast<double>(days) - frac : static_cast<double>(days) + frac;
}

QDateTime fromDateValue(double days) {
    const DateParts p = splitDate(days);
    return QDateTime(p.date, QTime(0, 0).addSecs(p.seconds));
}

QString formatDate(double days, const QString& pattern) {
    const DateParts p = splitDate(days);
    const int hour = p.seconds / 3600, minute = p.seconds / 60 % 60, second = p.seconds % 60;

    struct Token {
        QChar letter; // 0 for a literal
        int count;
        QString literal;
    };
    std::vector<Token> tokens;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i].toLower();
        if (c == u'd' || c == u'm' || c == u'n' || c == u'y' || c == u'h' || c == u's' || c == u'c') {
            qsizetype j = i;
            while (j < pattern.size() && pattern[j].toLower() == c) ++j;
            tokens.push_back({c, static_cast<int>(j - i), QString()});
            i = j;
        } else if (pattern[i] == u'\\' && i + 1 < pattern.size()) {
            tokens.push_back({QChar(), 0, QString(pattern[i + 1])});
            i += 2;
        } else if (pattern[i] == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            tokens.push_back({QChar(), 0, pattern.mid(i + 1, stop - i - 1)});
            i = stop + 1;
        } else {
            tokens.push_back({QChar(), 0, QString(pattern[i])});
            ++i;
        }
    }

    auto neighbour = [&](std::size_t k, int step) -> QChar {
        for (long long j = static_cast<long long>(k) + step; j >= 0 && j < static_cast<long long>(tokens.size());
             j += step)
            if (!tokens[j].letter.isNull()) return tokens[j].letter;
        return QChar();
    };
    auto num = [](int v, int count) { return count >= 2 ? two(v) : QString::number(v); };

    QString out;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        if (t.letter.isNull()) {
            out += t.literal;
            continue;
        }
        switch (t.letter.unicode()) {
        case 'c':
            if (p.hasDate) out += shortDate(p.date);
            if (p.seconds != 0 || !p.hasDate) {
                if (p.hasDate) out += u' ';
                out += longTime(p.seconds);
            }
            break;
        case 'd': out += num(p.date.day(), t.count); break;
        case 'm': {
            const bool minutes = neighbour(k, -1) == u'h' || neighbour(k, 1) == u's';
            out += num(minutes ? minute : p.date.month(), t.count);
            break;
        }
        case 'n': out += num(minute, t.count); break;
        case 'h': out += num(hour, t.count); break;
        case 's': out += num(second, t.count); break;
        case 'y':
            if (t.count == 1) out += QString::number(p.date.dayOfYear());
            else if (t.count < 4) out += two(p.date.year() % 100);
            else out += QString::number(p.date.year()).rightJustified(4, u'0');
            break;
        }
    }
    return out;
}

} // namespace plat
