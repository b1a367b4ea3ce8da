#include "VbConv.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace vb {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Decimal digits of |value| rounded to `significant` digits, with the exponent
// of the first digit: value ~ 0.d1d2d3... * 10^(exp+1).
struct Decimal {
    QByteArray digits;  // no leading zeros unless the value is 0
    int exp = 0;        // power of ten of digits[0]
    bool zero = true;
};

Decimal toDecimal(double v, int significant) {
    Decimal d;
    v = std::fabs(v);
    if (v == 0.0 || !std::isfinite(v)) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, v);
    // buf: d.ddddde[+-]xx
    const char* e = std::strchr(buf, 'e');
    for (const char* p = buf; p < e; ++p)
        if (*p >= '0' && *p <= '9') d.digits.append(*p);
    d.exp = std::atoi(e + 1);
    while (d.digits.size() > 1 && d.digits.endsWith('0')) d.digits.chop(1);
    d.zero = (d.digits == "0");
    return d;
}

// Fixed-point digits of a decimal, rounded half away from zero to `decimals`.
void fixedDigits(const Decimal& d, int decimals, QByteArray& intPart, QByteArray& fracPart) {
    const int hi = d.zero ? 0 : std::max(d.exp, 0);
    const int lo = -decimals - 1;  // one digit more, to round on
    QByteArray all;
    for (int p = hi; p >= lo; --p) {
        int i = d.exp - p;
        all.append(!d.zero && i >= 0 && i < d.digits.size() ? d.digits[i] : '0');
    }
    const bool up = all.back() >= '5';
    all.chop(1);
    if (up) {
        int i = all.size() - 1;
        for (; i >= 0 && all[i] == '9'; --i) all[i] = '0';
        if (i >= 0)
            all[i] = static_cast<char>(all[i] + 1);
        else
            all.prepend('1');
    }
    intPart = all.left(all.size() - decimals);
    fracPart = all.right(decimals);
    while (intPart.size() > 1 && intPart.startsWith('0')) intPart.remove(0, 1);
}

QString generalFormat(double v, int significant, QChar decimal, bool pointLeadingZero) {
    if (std::isnan(v)) return QStringLiteral("NaN");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    Decimal d = toDecimal(v, significant);
    if (d.zero) return QStringLiteral("0");
    QString out;
    if (v < 0) out += QLatin1Char('-');
    if (d.exp >= significant || d.exp < -4) {
        out += QLatin1Char(d.digits[0]);
        if (d.digits.size() > 1) {
            out += decimal;
            out += QString::fromLatin1(d.digits.mid(1));
        }
        out += QLatin1Char('E');
        out += d.exp < 0 ? QLatin1Char('-') : QLatin1Char('+');
        out += QString::number(std::abs(d.exp)).rightJustified(2, QLatin1Char('0'));
        return out;
    }
    QByteArray intPart, fracPart;
    if (d.exp >= 0) {
        QByteArray digits = d.digits;
        while (digits.size() < d.exp + 1) digits.append('0');
        intPart = digits.left(d.exp + 1);
        fracPart = digits.mid(d.exp + 1);
    } else {
        intPart = "0";
        fracPart = QByteArray(-d.exp - 1, '0') + d.digits;
    }
    if (!(intPart == "0" && !pointLeadingZero && !fracPart.isEmpty()))
        out += QString::fromLatin1(intPart);
    if (!fracPart.isEmpty()) {
        out += decimal;
        out += QString::fromLatin1(fracPart);
    }
    return out;
}

// Strips quoting from literal runs of a pattern: "text" and \x.
QString literal(const QString& s) {
    QString out;
    for (int i = 0; i < s.size(); ++i) {
        QChar c = s[i];
        if (c == QLatin1Char('\\') && i + 1 < s.size()) {
            out += s[++i];
        } else if (c == QLatin1Char('"')) {
            int j = s.indexOf(QLatin1Char('"'), i + 1);
            if (j < 0) j = s.size();
            out += s.mid(i + 1, j - i - 1);
            i = j;
        } else {
            out += c;
        }
    }
    return out;
}

QString formatSection(double value, int significant, const QString& pattern, const Regional& r,
                      bool withSign) {
    // Locate the numeric region: from the first placeholder, decimal point or
    // grouping mark to the last placeholder, outside quotes.
    int first = -1, last = -1, point = -1;
    bool inQuote = false;
    for (int i = 0; i < pattern.size(); ++i) {
        QChar c = pattern[i];
        if (c == QLatin1Char('"')) {
            inQuote = !inQuote;
            continue;
        }
        if (inQuote) continue;
        if (c == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (first < 0) first = i;
            last = i;
        } else if (c == QLatin1Char('.')) {
            if (point < 0) {
                point = i;
                if (first < 0) first = i;
                if (last < i) last = i;
            }
        } else if (c == QLatin1Char(',') && first >= 0 && point < 0) {
            // grouping mark inside the integer placeholders
        }
    }
    if (first < 0) return literal(pattern);  // no placeholders: the pattern is the text

    const QString prefix = literal(pattern.left(first));
    const QString suffix = literal(pattern.mid(last + 1));
    const QString region = pattern.mid(first, last - first + 1);
    const int regionPoint = point >= 0 ? point - first : -1;
    const QString intPat = regionPoint >= 0 ? region.left(regionPoint) : region;
    const QString fracPat = regionPoint >= 0 ? region.mid(regionPoint + 1) : QString();

    int minInt = 0;
    bool grouping = false;
    bool seenPlaceholder = false;
    for (QChar c : intPat) {
        if (c == QLatin1Char('0')) ++minInt;
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) seenPlaceholder = true;
        if (c == QLatin1Char(',') && seenPlaceholder) grouping = true;
    }
    int fracZero = 0, fracAll = 0;
    for (QChar c : fracPat) {
        if (c == QLatin1Char('0')) {
            ++fracAll;
            fracZero = fracAll;
        } else if (c == QLatin1Char('#')) {
            ++fracAll;
        }
    }

    QByteArray intPart, fracPart;
    fixedDigits(toDecimal(value, significant), fracAll, intPart, fracPart);
    // Optional decimals drop their trailing zeros.
    while (fracPart.size() > fracZero && fracPart.endsWith('0')) fracPart.chop(1);

    QString digits = QString::fromLatin1(intPart);
    if (digits == QLatin1String("0") && minInt == 0) digits.clear();
    while (digits.size() < minInt) digits.prepend(QLatin1Char('0'));
    if (grouping && digits.size() > 3) {
        QString grouped;
        int n = digits.size();
        for (int i = 0; i < n; ++i) {
            grouped += digits[i];
            int rest = n - 1 - i;
            if (rest > 0 && rest % 3 == 0) grouped += r.group;
        }
        digits = grouped;
    }
    QString out;
    if (withSign && value < 0) out += QLatin1Char('-');
    out += prefix;
    out += digits;
    if (regionPoint >= 0 && (!fracPart.isEmpty() || fracAll == 0)) {
        out += r.decimal;
        out += QString::fromLatin1(fracPart);
    }
    out += suffix;
    return out;
}

QString formatNumber(double value, int significant, const QString& pattern, const Regional& r) {
    if (pattern.isEmpty()) return generalFormat(value, significant, r.decimal, true);
    if (!std::isfinite(value)) return generalFormat(value, significant, r.decimal, true);
    // Sections: positive;negative;zero.
    QStringList sections;
    {
        QString cur;
        bool inQuote = false;
        for (int i = 0; i < pattern.size(); ++i) {
            QChar c = pattern[i];
            if (c == QLatin1Char('"')) inQuote = !inQuote;
            if (c == QLatin1Char(';') && !inQuote) {
                sections << cur;
                cur.clear();
            } else {
                cur += c;
            }
        }
        sections << cur;
    }
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return formatSection(std::fabs(value), significant, sections[1], r, false);
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return formatSection(value, significant, sections[2], r, false);
    return formatSection(value, significant, sections[0], r, true);
}

}  // namespace

std::optional<double> parseNumber(const QString& text, const Regional& r) {
    int b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    if (b >= e) return std::nullopt;
    const QString s = text.mid(b, e - b);

    // &H and &O prefixes.
    if (s.size() > 2 && s[0] == QLatin1Char('&')) {
        QChar k = s[1].toUpper();
        int base = k == QLatin1Char('H') ? 16 : (k == QLatin1Char('O') ? 8 : 0);
        if (base == 0) return std::nullopt;
        bool ok = false;
        qlonglong v = s.mid(2).toLongLong(&ok, base);
        if (!ok) return std::nullopt;
        return static_cast<double>(v);
    }

    int i = 0;
    const int n = s.size();
    bool negative = false, signSeen = false;
    if (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')) {
        negative = s[i] == QLatin1Char('-');
        signSeen = true;
        ++i;
        while (i < n && isBlank(s[i])) ++i;
    }
    QByteArray c;  // C-locale copy
    int digits = 0;
    while (i < n) {
        QChar ch = s[i];
        if (ch.isDigit() && ch.unicode() < 128) {
            c.append(static_cast<char>(ch.unicode()));
            ++digits;
        } else if (ch == r.group && digits > 0 && r.group != r.decimal) {
            // grouping marks are accepted anywhere after the first digit
        } else {
            break;
        }
        ++i;
    }
    if (i < n && s[i] == r.decimal) {
        c.append('.');
        ++i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
            c.append(static_cast<char>(s[i].unicode()));
            ++digits;
            ++i;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < n && (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e') ||
                  s[i] == QLatin1Char('D') || s[i] == QLatin1Char('d'))) {
        int j = i + 1;
        QByteArray ex = "e";
        if (j < n && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-'))) {
            ex.append(static_cast<char>(s[j].unicode()));
            ++j;
        }
        int ed = 0;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) {
            ex.append(static_cast<char>(s[j].unicode()));
            ++ed;
            ++j;
        }
        if (ed == 0) return std::nullopt;
        c.append(ex);
        i = j;
    }
    if (!signSeen && i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    if (i != n) return std::nullopt;
    double v = std::strtod(c.constData(), nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return negative ? -v : v;
}

bool IsNumeric(const QString& text, const Regional& r) {
    return parseNumber(text, r).has_value();
}

double CDbl(const QString& text, const Regional& r) {
    return parseNumber(text, r).value_or(0.0);
}

float CSng(const QString& text, const Regional& r) {
    double v = CDbl(text, r);
    if (std::fabs(v) > std::numeric_limits<float>::max())
        return v < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    return static_cast<float>(v);
}

namespace {
template <typename T>
T roundEven(double v) {
    if (std::isnan(v)) return 0;
    double r = std::nearbyint(v);  // the default rounding mode takes halves to even
    if (r < static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (r > static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}
}  // namespace

int16_t CInt(double value) {
    return roundEven<int16_t>(value);
}
int32_t CLng(double value) {
    return roundEven<int32_t>(value);
}
int16_t CInt(const QString& text, const Regional& r) {
    return CInt(CDbl(text, r));
}
int32_t CLng(const QString& text, const Regional& r) {
    return CLng(CDbl(text, r));
}
bool fitsInt16(double value) {
    double r = std::nearbyint(value);
    return std::isfinite(value) && r >= -32768.0 && r <= 32767.0;
}

double Val(const QString& text) {
    QByteArray c;
    int i = 0;
    const int n = text.size();
    auto skip = [&] {
        while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t') ||
                         text[i] == QLatin1Char('\n') || text[i] == QLatin1Char('\r')))
            ++i;
    };
    skip();
    if (i + 1 < n && text[i] == QLatin1Char('&')) {
        QChar k = text[i + 1].toUpper();
        int base = k == QLatin1Char('H') ? 16 : (k == QLatin1Char('O') ? 8 : 0);
        if (base) {
            i += 2;
            QString digits;
            for (; i < n; ++i) {
                QChar ch = text[i];
                if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t')) continue;
                int d = ch.isDigit()
                            ? ch.digitValue()
                            : (ch.toUpper() >= QLatin1Char('A') && ch.toUpper() <= QLatin1Char('F')
                                   ? ch.toUpper().unicode() - 'A' + 10
                                   : 99);
                if (d >= base) break;
                digits += ch;
            }
            bool ok = false;
            qlonglong v = digits.toLongLong(&ok, base);
            return ok ? static_cast<double>(v) : 0.0;
        }
    }
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        c.append(static_cast<char>(text[i].unicode()));
        ++i;
    }
    bool point = false, exp = false;
    for (; i < n; ++i) {
        QChar ch = text[i];
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n') ||
            ch == QLatin1Char('\r'))
            continue;
        if (ch.isDigit() && ch.unicode() < 128) {
            c.append(static_cast<char>(ch.unicode()));
        } else if (ch == QLatin1Char('.') && !point && !exp) {
            point = true;
            c.append('.');
        } else if ((ch == QLatin1Char('E') || ch == QLatin1Char('e') || ch == QLatin1Char('D') ||
                    ch == QLatin1Char('d')) &&
                   !exp) {
            exp = true;
            c.append('e');
            if (i + 1 < n && (text[i + 1] == QLatin1Char('+') || text[i + 1] == QLatin1Char('-'))) {
                c.append(static_cast<char>(text[i + 1].unicode()));
                ++i;
            }
        } else {
            break;
        }
    }
    double v = std::strtod(c.constData(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

QString Str(double value) {
    QString s = generalFormat(value, 15, QLatin1Char('.'), false);
    return value >= 0 || std::isnan(value) ? QLatin1Char(' ') + s : s;
}

QString Str(float value) {
    QString s = generalFormat(static_cast<double>(value), 7, QLatin1Char('.'), false);
    return value >= 0 || std::isnan(value) ? QLatin1Char(' ') + s : s;
}

QString CStr(double value, const Regional& r) {
    return generalFormat(value, 15, r.decimal, true);
}
QString CStr(float value, const Regional& r) {
    return generalFormat(static_cast<double>(value), 7, r.decimal, true);
}

QString Format(double value, const QString& pattern, const Regional& r) {
    return formatNumber(value, 15, pattern, r);
}

QString Format(float value, const QString& pattern, const Regional& r) {
    return formatNumber(static_cast<double>(value), 7, pattern, r);
}

QString FormatText(const QString& text, const QString& pattern) {
    QString out;
    int t = text.size();
    for (int i = pattern.size() - 1; i >= 0; --i) {
        QChar c = pattern[i];
        if (c == QLatin1Char('@')) {
            out.prepend(t > 0 ? text[--t] : QLatin1Char(' '));
        } else {
            out.prepend(c);
        }
    }
    if (t > 0) out.prepend(text.left(t));
    return out;
}

QString Left(const QString& s, int n) {
    return n <= 0 ? QString() : s.left(n);
}
QString Right(const QString& s, int n) {
    return n <= 0 ? QString() : s.right(n);
}
QString Mid(const QString& s, int start, int length) {
    if (start < 1) start = 1;
    if (start > s.size()) return QString();
    return length < 0 ? s.mid(start - 1) : s.mid(start - 1, length);
}
QString LTrim(const QString& s) {
    int i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' ')) ++i;
    return s.mid(i);
}
QString RTrim(const QString& s) {
    int e = s.size();
    while (e > 0 && s[e - 1] == QLatin1Char(' ')) --e;
    return s.left(e);
}
QString Trim(const QString& s) {
    return LTrim(RTrim(s));
}
int InStr(const QString& s, const QString& what, int start) {
    if (start < 1) start = 1;
    if (what.isEmpty()) return start <= s.size() + 1 ? start : 0;
    int i = s.indexOf(what, start - 1);
    return i < 0 ? 0 : i + 1;
}
QString Space(int n) {
    return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

}  // namespace vb
