#include "CodePage1252.h"

namespace platform {

namespace {
// Characters of bytes 0x80..0x9F; 0 marks the unassigned bytes.
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QString fromCp1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
            out += QChar(kHigh[b - 0x80]);
        else
            out += QChar(static_cast<char16_t>(b));
    }
    return out;
}

bool toCp1252(const QString& text, QByteArray& out) {
    out.clear();
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(static_cast<char>(u));
            continue;
        }
        int found = -1;
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == u || (kHigh[i] == 0 && u == 0x80 + i)) found = i;
        if (found < 0) return false;
        out.append(static_cast<char>(0x80 + found));
    }
    return true;
}

bool fitsCp1252(const QString& text) {
    QByteArray scratch;
    return toCp1252(text, scratch);
}

}  // namespace platform
