#include "UPCEAN.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Encoder = std::function<QString(const QString&)>;

struct EncoderCase {
    const char* name;
    Encoder encode;
    QString code;
    QString expected;
};

QString latin1(const char* s) {
    return QString::fromLatin1(s);
}

class EncoderTest : public ::testing::TestWithParam<EncoderCase> {};

TEST_P(EncoderTest, ProducesTheFontString) {
    const EncoderCase& c = GetParam();
    EXPECT_EQ(c.encode(c.code), c.expected) << c.name << " of \"" << c.code.toStdString() << '"';
}

// Font strings: U+00C0 + d is the digit d outside the symbol ("\xC0" = 0, "\xC4" = 4).
INSTANTIATE_TEST_SUITE_P(
    Examples, EncoderTest,
    ::testing::Values(
        // First digit 4: parity ABAABB, check digit 1.
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "400638133393", latin1("\xC4(0Q63YR*DDDJDB)")},
        // A supplied check digit is dropped and computed again.
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "4006381333931", latin1("\xC4(0Q63YR*DDDJDB)")},
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "4006381333939", latin1("\xC4(0Q63YR*DDDJDB)")},
        // A short code is padded on the left.
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "40063813", latin1("\xC0(000400*GDIBDB)")},
        EncoderCase{"EAN8", UPCEAN::CodificaEAN8, "9638507", latin1("(9638*FAHE)")},
        EncoderCase{"EAN8", UPCEAN::CodificaEAN8, "96385070", latin1("(9638*FAHE)")},
        EncoderCase{"EAN8", UPCEAN::CodificaEAN8, "1", latin1("(0000*AABH)")},
        EncoderCase{"UPCA", UPCEAN::CodificaUPCA, "03600029145", latin1("\xC0(a36000*CJBEFs)\xC2")},
        EncoderCase{"UPCA", UPCEAN::CodificaUPCA, "3600029145", latin1("\xC0(a36000*CJBEFs)\xC2")},
        EncoderCase{"UPCA", UPCEAN::CodificaUPCA, "036000291452",
                    latin1("\xC0(a36000*CJBEFs)\xC2")},
        EncoderCase{"UPCA", UPCEAN::CodificaUPCA, "12345678901", latin1("\xC1(b23456*HIJABs)\xC2")},
        // Expands to 01234500006, check digit 5, parity BAABBA.
        EncoderCase{"UPCE", UPCEAN::CodificaUPCE, "123456", latin1("\xC0(R23UV6+\xC5")},
        // Only the first six characters count.
        EncoderCase{"UPCE", UPCEAN::CodificaUPCE, "12345678", latin1("\xC0(R23UV6+\xC5")},
        // Expands to 04210000526, check digit 4, parity BABBAA.
        EncoderCase{"UPCE", UPCEAN::CodificaUPCE, "425261", latin1("\xC0(U2VS61+\xC4")},
        EncoderCase{"UPCE", UPCEAN::CodificaUPCE, "1234", latin1("\xC0(Q0RS34+\xC4")},
        // Empty codes are all zeros.
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "", latin1("\xC0(000000*AAAAAA)")},
        EncoderCase{"EAN8", UPCEAN::CodificaEAN8, "", latin1("(0000*AAAA)")},
        EncoderCase{"UPCA", UPCEAN::CodificaUPCA, "", latin1("\xC0(a00000*AAAAAq)\xC0")},
        EncoderCase{"UPCE", UPCEAN::CodificaUPCE, "", latin1("\xC0(QQQ000+\xC0")},
        // Non-digits are encoded by their code's distance from "0" (A = 17, B = 18, C = 19).
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "ABC", latin1("\xC0(000000*AARSTE)")},
        EncoderCase{"EAN8", UPCEAN::CodificaEAN8, "A", latin1("(0000*AARJ)")},
        // A non-digit first character picks the parity row of its value modulo 10:
        // "A" (17) row 7, "/" (-1) row 9.
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "A00000000000", latin1("\xD1(0Q0Q0Q*AAAAAD)")},
        EncoderCase{"EAN13", UPCEAN::CodificaEAN13, "/00000000000",
                    latin1("\xBF(0QQ0Q0*AAAAAB)")}));

TEST(UpceTest, NonDigitLastCharacterLeavesNothingToExpand) {
    // EspandiUPCE gives "", whose check digit is 0: parity BBBAAA.
    EXPECT_EQ(UPCEAN::CodificaUPCE("12345X"), latin1("\xC0(RST45X+\xC0"));
}

TEST(Ean13Test, FirstDigitChoosesTheParityOfDigitsTwoToSeven) {
    // Digits 2 to 7 are all "1": set A is "1", set B is "R".
    const char* patterns[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
    for (int first = 0; first < 10; ++first) {
        QString code = QString::number(first) + "11111100000";
        QString left = UPCEAN::CodificaEAN13(code).mid(2, 6);
        QString expected;
        for (const char* p = patterns[first]; *p; ++p) expected += (*p == 'A' ? u'1' : u'R');
        EXPECT_EQ(left, expected) << "first digit " << first;
    }
}

TEST(UpceTest, CheckDigitChoosesTheParity) {
    // Six-digit codes whose check digits are 0..9; all six digits' sets show in the result.
    struct {
        const char* code;
        int check;
        const char* parity;
    } cases[] = {{"115838", 0, "BBBAAA"}, {"171271", 1, "BBABAA"}, {"139595", 2, "BBAABA"},
                 {"123757", 3, "BBAAAB"}, {"202947", 4, "BABBAA"}, {"226704", 5, "BAABBA"},
                 {"131676", 6, "BAAABB"}, {"107919", 7, "BABABA"}, {"187109", 8, "BABAAB"},
                 {"100000", 9, "BAABAB"}};
    for (const auto& c : cases) {
        const QString six = QString::fromLatin1(c.code);
        QString expected = QString(QChar(0xC0)) + u'(';
        for (int i = 0; i < 6; ++i)
            expected += QChar(six[i].unicode() + (c.parity[i] == 'B' ? u'Q' - u'0' : 0));
        expected += u'+';
        expected += QChar(0xC0 + c.check);
        EXPECT_EQ(UPCEAN::CodificaUPCE(six), expected) << c.code;
    }
}

TEST(EncodeForTypeTest, SymbologyNameChoosesTheEncoder) {
    struct {
        const char* type;
        const char* code;
        QString printed;
    } cases[] = {
        {"EAN13", "400638133393", latin1("\xC4(0Q63YR*DDDJDB)")},
        {"EAN8", "9638507", latin1("(9638*FAHE)")},
        {"UPC-A", "03600029145", latin1("\xC0(a36000*CJBEFs)\xC2")},
        {"UPC-E", "123456", latin1("\xC0(R23UV6+\xC5")},
        // Any other name prints the code as it is: the names are matched exactly.
        {"ean13", "400638133393", "400638133393"},
        {"EAN-13", "400638133393", "400638133393"},
        {" ", "12345 12345", "12345 12345"},
        {"", "12345", "12345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UPCEAN::encodeForType(c.type, c.code), c.printed) << '"' << c.type << '"';
}

TEST(CifraControlloTest, Modulo10WithWeightsFromTheRight) {
    struct {
        const char* digits;
        const char* check;
    } cases[] = {
        {"400638133393", "1"},
        {"9638507", "4"},
        {"03600029145", "2"},
        {"01234500006", "5"},
        {"12345678901", "2"},
        {"9876543", "0"},
        {"7", "9"},
        {"", "0"},
        {"000000000ABC", "4"},
        // A character below "0" counts negative: the result still stays a digit.
        {" ", "8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UPCEAN::CifraControllo(QString::fromLatin1(c.digits)),
                  QString::fromLatin1(c.check))
            << '"' << c.digits << '"';
}

TEST(CifraControlloTest, LongStringDoesNotOverflow) {
    // 100 000 characters of the largest code unit would overflow a 32-bit sum.
    const QString big(100000, QChar(0xFFFF));
    const QString check = UPCEAN::CifraControllo(big);
    ASSERT_EQ(check.size(), 1);
    // Sum = (0xFFFF - 48) * (50000 * 3 + 50000) = 65487 * 200000, ending in 0.
    EXPECT_EQ(check, "0");
}

TEST(EspandiUPCETest, ZeroSuppressionByLastDigit) {
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"0123450", "01200000345"},
        {"0123451", "01210000345"},
        {"0123452", "01220000345"},
        {"0123453", "01230000045"},
        {"0123454", "01234000005"},
        {"0123455", "01234500005"},
        {"0123456", "01234500006"},
        {"0123459", "01234500009"},
        {"0425261", "04210000526"},
        {"012345X", ""},
        {"012345", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UPCEAN::EspandiUPCE(QString::fromLatin1(c.in)), QString::fromLatin1(c.out))
            << '"' << c.in << '"';
}

}  // namespace
