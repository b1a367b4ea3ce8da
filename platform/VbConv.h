#pragma once

// Number and text conversions with the semantics the programs were written
// against: locale-aware IsNumeric / CSng / CDbl, locale-free Val and Str,
// banker's rounding for CInt / CLng, and Format with picture patterns.

#include <QString>

#include <cstdint>
#include <optional>

#include "Regional.h"

namespace vb {

using platform::Regional;

// Parses a number written in the regional notation: blanks around it, a sign
// before or after, grouping separators in the integer part, the decimal
// separator, an exponent (E or D). Returns nothing when the text is not a number.
std::optional<double> parseNumber(const QString& text, const Regional& r = Regional::current());

bool IsNumeric(const QString& text, const Regional& r = Regional::current());

// Converting conversions: a text that is not numeric gives 0 (callers test
// IsNumeric first where the difference matters).
double CDbl(const QString& text, const Regional& r = Regional::current());
float CSng(const QString& text, const Regional& r = Regional::current());

// Rounds halves to even and saturates at the type's range.
int16_t CInt(double value);
int32_t CLng(double value);
int16_t CInt(const QString& text, const Regional& r = Regional::current());
int32_t CLng(const QString& text, const Regional& r = Regional::current());
// False when the value does not fit (what the original would raise as overflow).
bool fitsInt16(double value);

// Reads the leading number of a text with "." as decimal point, ignoring blanks,
// and stops at the first character that cannot continue it. Never fails.
double Val(const QString& text);

// Number to text with "." as decimal point and a leading blank for values >= 0.
QString Str(double value);
QString Str(float value);

// General format in the regional notation: up to 15 significant digits for a
// double, 7 for a single, scientific notation only for very large or small values.
QString CStr(double value, const Regional& r = Regional::current());
QString CStr(float value, const Regional& r = Regional::current());

// Picture formats for numbers: "0" and "#" digit placeholders, "." decimal
// point, "," grouping, other characters literal. Halves round away from zero
// on the decimal value. An empty pattern gives the general format.
QString Format(double value, const QString& pattern, const Regional& r = Regional::current());
QString Format(float value, const QString& pattern, const Regional& r = Regional::current());
inline QString Format(int value, const QString& pattern, const Regional& r = Regional::current()) {
    return Format(static_cast<double>(value), pattern, r);
}

// Picture formats for texts: each "@" takes one character, filled from the
// right; characters beyond the placeholders extend to the left.
QString FormatText(const QString& text, const QString& pattern);

// String helpers with the original's names and 1-based positions.
QString Left(const QString& s, int n);
QString Right(const QString& s, int n);
QString Mid(const QString& s, int start, int length = -1);
QString Trim(const QString& s);  // blanks only, as the original trims
QString LTrim(const QString& s);
QString RTrim(const QString& s);
int InStr(const QString& s, const QString& what, int start = 1);  // 0 when absent
QString Space(int n);

}  // namespace vb
