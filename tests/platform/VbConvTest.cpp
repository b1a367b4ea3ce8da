#include <gtest/gtest.h>

#include "VbConv.h"

using namespace vb;

TEST(VbConv, IsNumericAndConversionsReadItalianNumbers) {
    struct Case {
        const char* text;
        bool numeric;
        double value;
    } cases[] = {
        {"0", true, 0},        {"12,5", true, 12.5},      {" 30,00 ", true, 30},
        {"-4,5", true, -4.5},  {"4,5-", true, -4.5},      {"+7", true, 7},
        {"1.000", true, 1000}, {"1.234,5", true, 1234.5}, {",5", true, 0.5},
        {"1E3", true, 1000},   {"2,5e-1", true, 0.25},    {"&H10", true, 16},
        {"", false, 0},        {"   ", false, 0},         {"abc", false, 0},
        {"12a", false, 0},     {"1,2,3", false, 0},       {"-", false, 0},
        {",", false, 0},       {"1E", false, 0},          {".5", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsNumeric(QString::fromUtf8(c.text)), c.numeric);
        EXPECT_DOUBLE_EQ(CDbl(QString::fromUtf8(c.text)), c.value);
    }
    EXPECT_FLOAT_EQ(CSng(QStringLiteral("0,4")), 0.4f);
    EXPECT_TRUE(IsNumeric(QStringLiteral("1.5"), platform::Regional::english()));
    EXPECT_DOUBLE_EQ(CDbl(QStringLiteral("1,500.25"), platform::Regional::english()), 1500.25);
}

TEST(VbConv, CIntAndCLngRoundHalvesToEvenAndSaturate) {
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.51), 3);
    EXPECT_EQ(CInt(40000.0), 32767);
    EXPECT_EQ(CLng(3000000000.0), 2147483647);
    EXPECT_EQ(CInt(QStringLiteral("3,5")), 4);
    EXPECT_FALSE(fitsInt16(32767.6));
    EXPECT_TRUE(fitsInt16(-32768.4));
}

TEST(VbConv, ValReadsTheLeadingNumberWithAPoint) {
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("12.5 kg")), 12.5);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("1,5")), 1);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral(" 1 2 3")), 123);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("-3.25e2x")), -325);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(Val(QStringLiteral("&HFF")), 255);
    EXPECT_DOUBLE_EQ(Val(QString()), 0);
}

TEST(VbConv, StrAndGeneralFormat) {
    EXPECT_EQ(Str(5.0), QStringLiteral(" 5"));
    EXPECT_EQ(Str(-5.0), QStringLiteral("-5"));
    EXPECT_EQ(Str(0.5), QStringLiteral(" .5"));
    EXPECT_EQ(Str(1.25), QStringLiteral(" 1.25"));
    EXPECT_EQ(Str(1e20), QStringLiteral(" 1E+20"));
    EXPECT_EQ(CStr(12.5), QStringLiteral("12,5"));
    EXPECT_EQ(CStr(150.0), QStringLiteral("150"));
    EXPECT_EQ(CStr(0.0001), QStringLiteral("0,0001"));
    EXPECT_EQ(CStr(0.00001), QStringLiteral("1E-05"));
    EXPECT_EQ(CStr(1.634212f), QStringLiteral("1,634212"));
    EXPECT_EQ(CStr(0.4f), QStringLiteral("0,4"));
    EXPECT_EQ(CStr(33.0f), QStringLiteral("33"));
    EXPECT_EQ(CStr(12345678.0f), QStringLiteral("1,234568E+07"));
}

TEST(VbConv, FormatPatterns) {
    struct Case {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {0, "##0.00", "0,00"},
        {140, "##0.00", "140,00"},
        {174.985, "##0.00", "174,99"},
        {0.125, "0.00", "0,13"},
        {-44.494, "##0.00", "-44,49"},
        {1234567.891, "##0.00", "1234567,89"},
        {1234567.891, "##,#0.00", "1.234.567,89"},
        {680.625, "##,#0.00", "680,63"},
        {0.8, "#0.00", "0,80"},
        {1000, "##", "1000"},
        {0, "##", ""},
        {999.999, "0.00", "1000,00"},
        {0.5, "#.00", ",50"},
        {12.345, "0.0#", "12,35"},
        {12.3, "0.0#", "12,3"},
        {7, "000", "007"},
        {5, "0.00 \"daN\"", "5,00 daN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + std::to_string(c.value));
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected));
    }
    // Singles are formatted from their seven significant digits.
    EXPECT_EQ(Format(2.675f, QStringLiteral("0.00")), QStringLiteral("2,68"));
    EXPECT_EQ(Format(174.99f, QStringLiteral("##0.00")), QStringLiteral("174,99"));
    EXPECT_EQ(Format(1.5, QString()), QStringLiteral("1,5"));
    EXPECT_EQ(Format(-3.0, QStringLiteral("0.00;(0.00)")), QStringLiteral("(3,00)"));
    EXPECT_EQ(Format(1234.5, QStringLiteral("0.00"), platform::Regional::english()),
              QStringLiteral("1234.50"));
}

TEST(VbConv, FormatTextFillsFromTheRight) {
    EXPECT_EQ(FormatText(QStringLiteral("12,00"), QStringLiteral("@@@@@@ daN/mq")),
              QStringLiteral(" 12,00 daN/mq"));
    EXPECT_EQ(FormatText(QStringLiteral("1234,00"), QStringLiteral("@@@@@@ daN/mq")),
              QStringLiteral("1234,00 daN/mq"));
    EXPECT_EQ(FormatText(QStringLiteral("5,00"), QStringLiteral("@@@@@@   ")),
              QStringLiteral("  5,00   "));
}

TEST(VbConv, StringHelpersUseOneBasedPositions) {
    EXPECT_EQ(Mid(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
    EXPECT_EQ(Mid(QStringLiteral("abc"), 5), QString());
    EXPECT_EQ(InStr(QStringLiteral("a|b|c"), QStringLiteral("|")), 2);
    EXPECT_EQ(InStr(QStringLiteral("a|b|c"), QStringLiteral("|"), 3), 4);
    EXPECT_EQ(InStr(QStringLiteral("abc"), QStringLiteral("x")), 0);
    EXPECT_EQ(Trim(QStringLiteral("  a b \t ")), QStringLiteral("a b \t"));
    EXPECT_EQ(Left(QStringLiteral("abc"), -1), QString());
    EXPECT_EQ(Right(QStringLiteral("abc"), 2), QStringLiteral("bc"));
}

#include "CodePage1252.h"

TEST(CodePage1252, RoundTripsWesternTextAndRefusesOthers) {
    const QString text = QStringLiteral("Città € – “m²” ÿ");
    QByteArray bytes;
    ASSERT_TRUE(platform::toCp1252(text, bytes));
    EXPECT_EQ(bytes, QByteArray("Citt\xE0 \x80 \x96 \x93m\xB2\x94 \xFF"));
    EXPECT_EQ(platform::fromCp1252(bytes), text);
    EXPECT_FALSE(platform::fitsCp1252(QStringLiteral("μ")));
    EXPECT_FALSE(platform::fitsCp1252(QStringLiteral("漢")));
    // Unassigned bytes still read as a character and write back the same.
    const QString odd = platform::fromCp1252(QByteArray("\x81\x8D"));
    ASSERT_TRUE(platform::toCp1252(odd, bytes));
    EXPECT_EQ(bytes, QByteArray("\x81\x8D"));
}
