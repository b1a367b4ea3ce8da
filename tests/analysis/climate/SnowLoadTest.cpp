#include <gtest/gtest.h>

#include "SnowLoad.h"

using namespace climate;

namespace {

SnowResult snow(SnowZone zone, const char* altitude, const char* mu = "0,80",
                const char* ce = "1,00", const char* ct = "1,00") {
    return computeSnow({zone, QString::fromUtf8(altitude), QString::fromUtf8(ce),
                        QString::fromUtf8(ct), QString::fromUtf8(mu)});
}

}  // namespace

TEST(SnowLoad, WorkedValues) {
    struct Case {
        SnowZone zone;
        const char* altitude;
        const char* qsk;
        const char* qs;
        const char* formula;
    } cases[] = {
        {SnowZone::II, "200", "100,00", "80,00", "1.00"},
        {SnowZone::II, "201", "99,84", "79,87", "0,85·[1+(201/481)²]"},
        {SnowZone::AlpinaI, "1000", "401,27", "321,02", "1,39·[1+(1000/728)²]"},
        {SnowZone::III, "750", "174,99", "140,00", "0,51·[1+(750/481)²]"},
        {SnowZone::III, "0", "60,00", "48,00", "0.60"},
        {SnowZone::MediterraneaI, "200", "150,00", "120,00", "1.50"},
        {SnowZone::MediterraneaI, "602", "270,00", "216,00", "1,35·[1+(602/602)²]"},
        {SnowZone::AlpinaI, "150", "150,00", "120,00", "1.50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.altitude);
        const SnowResult r = snow(c.zone, c.altitude);
        EXPECT_EQ(r.text2, QString::fromUtf8(c.qsk));
        EXPECT_EQ(r.text1, QString::fromUtf8(c.qs));
        EXPECT_EQ(r.formula, QString::fromUtf8(c.formula));
        EXPECT_EQ(r.text6, QString::fromUtf8(c.formula) + QStringLiteral(" (daN/mq)"));
    }
}

TEST(SnowLoad, WholeFormulaLineAndCoefficients) {
    const SnowResult r = snow(SnowZone::III, "750", "0,8", "0,9", "1,1");
    EXPECT_EQ(r.text8, QStringLiteral("0,80·[0,51·[1+(750/481)²]]·0,90·1,10 (daN/mq)"));
    EXPECT_FLOAT_EQ(r.qs, 0.8f * r.qsk * 0.9f * 1.1f);
    EXPECT_EQ(r.text1, QStringLiteral("138,60"));
}

TEST(SnowLoad, NonNumericTextsCountAsZero) {
    // A coefficient that is not a number gives qs 0 without a message.
    EXPECT_EQ(snow(SnowZone::III, "750", "0,80", "abc").text1, QStringLiteral("0,00"));
    EXPECT_EQ(snow(SnowZone::III, "750", "").text1, QStringLiteral("0,00"));
    // An altitude that is not a number counts as 0 m: the left column.
    EXPECT_EQ(snow(SnowZone::II, "xyz").text2, QStringLiteral("100,00"));
    // No zone: qsk 0 and no formula.
    const SnowResult none = snow(SnowZone::None, "750");
    EXPECT_EQ(none.text2, QStringLiteral("0,00"));
    EXPECT_EQ(none.text6, QStringLiteral(" (daN/mq)"));
}

TEST(SnowLoad, AltitudeIsWrittenInWholeMetres) {
    EXPECT_EQ(snow(SnowZone::II, "750,6").formula, QStringLiteral("0,85·[1+(751/481)²]"));
    // No upper limit of altitude.
    EXPECT_EQ(snow(SnowZone::III, "4810").text2, QStringLiteral("5151,00"));
}

TEST(SnowLoad, ShapeCoefficient) {
    struct Case {
        const char* slope;
        bool parapet;
        const char* mu;
    } cases[] = {
        {"0", false, "0,80"},    {"30", false, "0,80"}, {"45", false, "0,40"},
        {"45", true, "0,80"},    {"60", false, "0,00"}, {"60", true, "0,80"},
        {"-5", false, "0,00"},   {"-5", true, "0,80"},  {"40", false, "0,53"},
        {"30,5", false, "0,79"}, {"", false, "0,80"},   {"abc", false, "0,80"},
        {"59,9", false, "0,00"}, {"90", false, "0,00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.slope) + (c.parapet ? " parapet" : ""));
        EXPECT_EQ(shapeCoefficientText(shapeCoefficient(QString::fromUtf8(c.slope), c.parapet)),
                  QString::fromUtf8(c.mu));
    }
}

TEST(SnowLoad, AltitudeStatesAndMessages) {
    EXPECT_EQ(snowAltitudeState(QStringLiteral("  ")), AltitudeState::Empty);
    EXPECT_EQ(snowAltitudeState(QStringLiteral("0")), AltitudeState::Valid);
    EXPECT_EQ(snowAltitudeState(QStringLiteral("-1")), AltitudeState::Negative);
    EXPECT_EQ(snowAltitudeState(QStringLiteral("-")), AltitudeState::NotNumeric);
    EXPECT_EQ(snowAltitudeMessage(AltitudeState::Negative),
              QStringLiteral("Inserire Altezza Livello Mare : valore positivo"));
    EXPECT_EQ(snowAltitudeMessage(AltitudeState::NotNumeric),
              QStringLiteral("Inserire Altezza Livello Mare con formato numerico corretto."));
    EXPECT_TRUE(snowAltitudeMessage(AltitudeState::Valid).isEmpty());
    EXPECT_TRUE(snowAltitudeConflictMessage(800).endsWith(QStringLiteral("\nHsl(vento) = 800,00")));
}

TEST(SnowLoad, ZoneCodes) {
    EXPECT_EQ(snowZoneCode(SnowZone::AlpinaI), QStringLiteral("Ia"));
    EXPECT_EQ(snowZoneCode(SnowZone::MediterraneaI), QStringLiteral("Im"));
    EXPECT_EQ(snowZoneCode(SnowZone::II), QStringLiteral("II"));
    EXPECT_EQ(snowZoneCode(SnowZone::III), QStringLiteral("III"));
    EXPECT_EQ(snowZoneFromCode(QStringLiteral("I")), SnowZone::AlpinaI);
    EXPECT_EQ(snowZoneFromCode(QStringLiteral("Ia")), SnowZone::AlpinaI);
    EXPECT_EQ(snowZoneFromCode(QStringLiteral("Im")), SnowZone::MediterraneaI);
    EXPECT_EQ(snowZoneFromCode(QStringLiteral("II")), SnowZone::II);
    EXPECT_EQ(snowZoneFromCode(QStringLiteral("IV")), SnowZone::III);
}

TEST(SnowLoad, TheLoadIsRoundedOnceToTwoDecimals) {
    // qs = 1321,0649…: a seven-digit text first ("1321,065") would round it up.
    EXPECT_EQ(snow(SnowZone::III, "2612", "0,80", "0,9", "1,18").text1, QStringLiteral("1321,06"));
}
