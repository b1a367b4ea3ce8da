#include <gtest/gtest.h>

#include "WindLoad.h"

using namespace climate;

namespace {

WindInputs site(int zone, const char* cls, const char* distance, const char* height,
                const char* altitude, const char* ct = "1", const char* cd = "1",
                const char* cp = "1") {
    WindInputs in;
    in.zone = zone;
    in.roughness = QString::fromLatin1(cls);
    in.distance = QString::fromUtf8(distance);
    in.height = QString::fromUtf8(height);
    in.altitude = QString::fromUtf8(altitude);
    in.ct = QString::fromUtf8(ct);
    in.cd = QString::fromUtf8(cd);
    in.cp = QString::fromUtf8(cp);
    return in;
}

}  // namespace

TEST(WindLoad, StartUpValues) {
    const WindOutcome o = computeWind(site(4, "B", "50", "6", "750", "1", "1", "0,4"));
    ASSERT_FALSE(o.error);
    const WindResult& r = o.result;
    EXPECT_EQ(r.text10, QStringLiteral("33"));
    EXPECT_EQ(r.text11, QStringLiteral("IV"));
    EXPECT_EQ(r.text13, QStringLiteral("1,634212"));
    EXPECT_EQ(r.text2, QStringLiteral("68,06"));
    EXPECT_EQ(r.text1, QStringLiteral("44,49"));
    EXPECT_EQ(r.text6, QStringLiteral("(1/2)·D·Vp² = 0.5·1,25·33,00² = 680,63 N/m²"));
    EXPECT_EQ(r.formula, QStringLiteral("qb·Ce·Cp·Cd =680,63·1,63·0,40·1,00 = 444,91 N/m²"));
    EXPECT_EQ(r.text8, r.formula + QStringLiteral(" (daN/mq)"));
    EXPECT_NEAR(r.P, 44.49, 0.005);
}

TEST(WindLoad, MountainSiteInZoneOne) {
    const WindOutcome o = computeWind(site(1, "D", "40", "10", "800"));
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.result.text10, QStringLiteral("25"));  // as <= a0
    EXPECT_EQ(o.result.category, QStringLiteral("IV"));
    EXPECT_EQ(o.result.text13, QStringLiteral("1,783146"));
    EXPECT_TRUE(o.result.formula.startsWith(QStringLiteral("qb·Ce·Cp·Cd =390,63·")));
    EXPECT_EQ(o.result.text1, QStringLiteral("69,65"));
}

TEST(WindLoad, ReferenceVelocityGrowsAboveA0) {
    // Zone 8: 30 m/s up to 1500 m, then 0,010 1/s.
    EXPECT_EQ(computeWind(site(8, "D", "50", "6", "1500")).result.text10, QStringLiteral("30"));
    EXPECT_EQ(computeWind(site(8, "D", "50", "6", "2000")).result.text10, QStringLiteral("35"));
    EXPECT_EQ(computeWind(site(2, "D", "50", "6", "1234")).result.text10, QStringLiteral("32,26"));
    // Below sea level the velocity stays at vb,0.
    EXPECT_EQ(computeWind(site(3, "D", "50", "6", "-10")).result.text10, QStringLiteral("27"));
}

TEST(WindLoad, ExposureCategories) {
    struct Case {
        int zone;
        const char* cls;
        float d;
        float as;
        const char* category;
    } cases[] = {
        // Zones 1 to 5.
        {1, "A", 0, 0, ""},
        {1, "D", 0, 0, "I"},
        {1, "A", 5, 0, "IV"},
        {1, "B", 5, 0, "III"},
        {1, "C", 5, 0, "II"},
        {5, "C", 5, 0, "III"},
        {3, "C", 5, 0, "II"},
        {2, "D", 5, 0, "II"},
        {2, "A", 10, 0, "IV"},
        {2, "B", 29.9f, 0, "III"},
        {2, "C", 10, 0, "III"},
        {2, "D", 10, 0, "II"},
        {3, "A", 30, 0, "V"},
        {3, "B", 30, 0, "IV"},
        {3, "C", 30, 500, "III"},
        {3, "C", 30, 501, "IV"},
        {1, "D", 40, 500, "II"},
        {2, "D", 40, 500, "II"},
        {1, "D", 40, 750, "III"},
        {1, "D", 40, 800, "IV"},
        {2, "D", 40, 800, "III"},
        {5, "D", 40, 751, "III"},
        // Zone 6.
        {6, "A", 0, 0, ""},
        {6, "D", 0, 0, "I"},
        {6, "A", 5, 0, "III"},
        {6, "B", 5, 0, "II"},
        {6, "C", 5, 0, "II"},
        {6, "D", 5, 0, "I"},
        {6, "A", 20, 0, "IV"},
        {6, "B", 20, 0, "III"},
        {6, "C", 20, 0, "III"},
        {6, "D", 20, 0, "II"},
        {6, "A", 30, 0, "V"},
        {6, "B", 30, 0, "IV"},
        {6, "C", 30, 500, "III"},
        {6, "C", 30, 600, "IV"},
        {6, "D", 30, 500, "II"},
        {6, "D", 30, 600, "III"},
        // Zones 7 and 8.
        {7, "A", 1, 0, "IV"},
        {8, "B", 100, 0, "IV"},
        {7, "C", 1, 0, "III"},
        {8, "D", 1, 0, "III"},
        {7, "C", 0, 0, ""},
        {8, "D", -1, 0, "I"},
        // Zone 9.
        {9, "A", 0, 0, ""},
        {9, "A", 0.1f, 0, "I"},
        {9, "B", 0, 0, "I"},
        {9, "D", 50, 2000, "I"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "zone " << c.zone << " class " << c.cls << " d " << c.d << " as " << c.as);
        EXPECT_EQ(exposureCategory(c.zone, QString::fromLatin1(c.cls), c.d, c.as),
                  QString::fromLatin1(c.category));
    }
}

TEST(WindLoad, SiteAtSeaWithoutCategoryGivesNoLoad) {
    const WindOutcome o = computeWind(site(9, "A", "0", "6", "0"));
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.result.text11, QString());
    EXPECT_EQ(o.result.text13, QStringLiteral("0"));
    EXPECT_EQ(o.result.text1, QStringLiteral("0,00"));
    EXPECT_EQ(computeWind(site(9, "A", "0,1", "6", "0")).result.category, QStringLiteral("I"));
}

TEST(WindLoad, HeightBelowZminUsesZmin) {
    EXPECT_FLOAT_EQ(exposureCoefficient(QStringLiteral("IV"), 2, 1),
                    exposureCoefficient(QStringLiteral("IV"), 8, 1));
    EXPECT_LT(exposureCoefficient(QStringLiteral("IV"), 8, 1),
              exposureCoefficient(QStringLiteral("IV"), 9, 1));
    EXPECT_EQ(exposureCoefficient(QString(), 10, 1), 0.0f);
}

TEST(WindLoad, FirstFieldThatIsNotANumberStops) {
    struct Case {
        WindInputs in;
        WindField field;
    } cases[] = {
        {site(4, "B", "50", "6", "abc", "x", "x", "x"), WindField::Altitude},
        {site(4, "B", "x", "", "750", "x"), WindField::Height},
        {site(4, "B", "", "6", "750", "x"), WindField::Distance},
        {site(4, "B", "50", "6", "750", "1,2,3"), WindField::Ct},
        {site(4, "B", "50", "6", "750", "1", ""), WindField::Cd},
        {site(4, "B", "50", "6", "750", "1", "1", "-"), WindField::Cp},
    };
    for (const Case& c : cases) {
        const WindOutcome o = computeWind(c.in);
        ASSERT_TRUE(o.error);
        EXPECT_EQ(*o.error, c.field);
    }
    EXPECT_EQ(windFieldMessage(WindField::Cd),
              QStringLiteral("Inserire Coefficiente Dinamico con formato numerico corretto"));
    EXPECT_EQ(
        windFieldMessage(WindField::Altitude),
        QStringLiteral("Inserire Altezza sul Livello del Mare con formato numerico corretto"));
}

TEST(WindLoad, LargeValuesUseThousandsSeparatorInTheFormula) {
    // 20000 m in zone 9: vb = 31 + 0,02·19500 = 421 m/s, qb = 110775,63 N/m².
    const WindOutcome o = computeWind(site(9, "D", "50", "6", "20000"));
    ASSERT_FALSE(o.error);
    EXPECT_TRUE(o.result.formula.startsWith(QStringLiteral("qb·Ce·Cp·Cd =110.775,63·")))
        << o.result.formula.toStdString();
}

TEST(WindLoad, GeneralFormatRoundsOnceToSevenDigits) {
    // ce = 4,65642449…: rounding through a single first would give 4,656425.
    const WindOutcome o = computeWind(site(5, "D", "8,48", "24,9", "516", "1,35", "1,04", "0,13"));
    ASSERT_FALSE(o.error);
    EXPECT_EQ(o.result.text13, QStringLiteral("4,656424"));
    EXPECT_EQ(generalSingle(32.260000000000005), QStringLiteral("32,26"));
    EXPECT_EQ(generalSingle(0), QStringLiteral("0"));
    EXPECT_EQ(generalSingle(1.6342119731764906), QStringLiteral("1,634212"));
}
