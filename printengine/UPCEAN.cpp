#include "UPCEAN.h"

namespace UPCEAN {
namespace {

// Font characters of each digit set.
constexpr char16_t kSetA = u'0';
constexpr char16_t kSetB = u'Q';
constexpr char16_t kSetC = u'A';
constexpr char16_t kUpcaFirst = u'a';
constexpr char16_t kUpcaCheck = u'q';
constexpr char16_t kOutside = 0x00C0;

// Parity of EAN-13 digits 2 to 7, chosen by the first digit.
constexpr const char* kEan13Parity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                          "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// Parity of the six UPC-E digits of number system 0, chosen by the check digit.
constexpr const char* kUpceParity[10] = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                         "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};

int value(QChar c) {
    return int(c.unicode()) - int(u'0');
}

// The character of a set for a digit value; non-digits keep their offset from "0", and the
// code wraps within 16 bits instead of failing.
QChar inSet(char16_t set, int digitValue) {
    return QChar(char16_t(int(set) + digitValue));
}

QChar inSet(char16_t set, QChar digit) {
    return inSet(set, value(digit));
}

// Left-pads with "0" to n characters, or keeps the first n.
QString fit(const QString& code, int n) {
    if (code.size() >= n) return code.left(n);
    return QString(n - code.size(), u'0') + code;
}

// A parity row for any character: non-digits pick a row by their value modulo 10.
const char* parityRow(const char* const (&table)[10], int digitValue) {
    return table[((digitValue % 10) + 10) % 10];
}

QString byParity(const QString& digits, const char* parity) {
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i)
        out += inSet(parity[i] == 'A' ? kSetA : kSetB, digits[i]);
    return out;
}

QString inSetC(const QString& digits) {
    QString out;
    for (QChar c : digits) out += inSet(kSetC, c);
    return out;
}

}  // namespace

QString CifraControllo(const QString& cifre) {
    qint64 sum = 0;
    const qsizetype n = cifre.size();
    for (qsizetype i = 1; i <= n; ++i) sum += qint64(value(cifre[n - i])) * (i % 2 ? 3 : 1);
    // The remainder truncates: a negative sum (characters below "0") still gives 0..9.
    const qint64 check = (10 - sum % 10) % 10;
    return QString::number(check);
}

QString CodificaEAN13(const QString& codice) {
    const QString code = fit(codice, 12);
    const int first = value(code[0]);
    const int check = CifraControllo(code).toInt();
    return QString(inSet(kOutside, first)) + u'(' +
           byParity(code.mid(1, 6), parityRow(kEan13Parity, first)) + u'*' +
           inSetC(code.mid(7, 5)) + inSet(kSetC, check) + u')';
}

QString CodificaEAN8(const QString& codice) {
    const QString code = fit(codice, 7);
    const int check = CifraControllo(code).toInt();
    return QString(u'(') + byParity(code.left(4), "AAAA") + u'*' + inSetC(code.mid(4, 3)) +
           inSet(kSetC, check) + u')';
}

QString CodificaUPCA(const QString& codice) {
    const QString code = fit(codice, 11);
    const int check = CifraControllo(code).toInt();
    return QString(inSet(kOutside, code[0])) + u'(' + inSet(kUpcaFirst, code[0]) +
           byParity(code.mid(1, 5), "AAAAA") + u'*' + inSetC(code.mid(6, 5)) +
           inSet(kUpcaCheck, check) + u')' + inSet(kOutside, check);
}

QString CodificaUPCE(const QString& codice) {
    const QString six = fit(codice, 6);
    const int check = CifraControllo(EspandiUPCE(u'0' + six)).toInt();
    return QString(inSet(kOutside, 0)) + u'(' + byParity(six, kUpceParity[check]) + u'+' +
           inSet(kOutside, check);
}

QString EspandiUPCE(const QString& codice) {
    if (codice.size() < 7) return QString();
    const QString s = codice;
    // s[0] is the number system, s[1]..s[6] the six digits.
    switch (s[6].unicode()) {
        case u'0':
        case u'1':
        case u'2':
            return s.mid(0, 3) + s[6] + QStringLiteral("0000") + s.mid(3, 3);
        case u'3':
            return s.mid(0, 4) + QStringLiteral("00000") + s.mid(4, 2);
        case u'4':
            return s.mid(0, 5) + QStringLiteral("00000") + s[5];
        case u'5':
        case u'6':
        case u'7':
        case u'8':
        case u'9':
            return s.mid(0, 6) + QStringLiteral("0000") + s[6];
        default:
            return QString();
    }
}

QString encodeForType(const QString& tipoCodice, const QString& codice) {
    if (tipoCodice == u"EAN13") return CodificaEAN13(codice);
    if (tipoCodice == u"EAN8") return CodificaEAN8(codice);
    if (tipoCodice == u"UPC-A") return CodificaUPCA(codice);
    if (tipoCodice == u"UPC-E") return CodificaUPCE(codice);
    return codice;
}

}  // namespace UPCEAN
