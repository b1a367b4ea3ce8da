#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "ClimateCli.h"

namespace {

struct CliRun {
    int code = 0;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

CliRun run(int (*command)(const QStringList&, QTextStream&, QTextStream&),
           const QStringList& args) {
    CliRun r;
    QTextStream out(&r.out), err(&r.err);
    r.code = command(args, out, err);
    out.flush();
    err.flush();
    return r;
}

CliRun snow(const QStringList& args) {
    return run(runSnowCommand, args);
}
CliRun wind(const QStringList& args) {
    return run(runWindCommand, args);
}

}  // namespace

TEST(ClimateCli, SnowDefaultsAreTheStartUpValues) {
    const CliRun r = snow({QStringLiteral("--json")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject o = r.json();
    EXPECT_EQ(o.value("Text6").toString(), QStringLiteral("0,51·[1+(750/481)²] (daN/mq)"));
    EXPECT_EQ(o.value("Text2").toString(), QStringLiteral("174,99"));
    EXPECT_EQ(o.value("Text8").toString(),
              QStringLiteral("0,80·[0,51·[1+(750/481)²]]·1,00·1,00 (daN/mq)"));
    EXPECT_EQ(o.value("Text1").toString(), QStringLiteral("140,00"));
    EXPECT_EQ(o.value("Text5").toString(), QStringLiteral("0,80"));
    EXPECT_NEAR(o.value("qsk").toDouble(), 174.9946, 1e-3);
    EXPECT_NEAR(o.value("qs").toDouble(), 139.9957, 1e-3);
    EXPECT_DOUBLE_EQ(o.value("mu").toDouble(), 0.8);
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(ClimateCli, SnowOptionsInBothSpellings) {
    struct Case {
        QStringList args;
        const char* text1;
        const char* text5;
    } cases[] = {
        {{"--zone", "II", "--altitude", "201"}, "79,87", "0,80"},
        {{"--zone=Ia", "--altitude=1000"}, "321,02", "0,80"},
        {{"--slope", "45"}, "70,00", "0,40"},
        {{"--slope=45", "--parapet"}, "140,00", "0,80"},
        {{"--slope", "-5"}, "0,00", "0,00"},
        {{"--slope=-5", "--parapet"}, "140,00", "0,80"},
        {{"--slope", "60"}, "0,00", "0,00"},
        {{"--ce", "0.9", "--ct=1,1"}, "138,60", "0,80"},
        {{"--zone", "Im", "--altitude", "200", "--pitches", "2"}, "120,00", "0,80"},
        {{"--slope", "40"}, "92,75", "0,53"},
        {{"--ce", "abc"}, "0,00", "0,80"},  // the dialog takes it as 0, silently
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = snow(c.args + QStringList{"--json"});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.json().value("Text1").toString(), QString::fromUtf8(c.text1));
        EXPECT_EQ(r.json().value("Text5").toString(), QString::fromUtf8(c.text5));
    }
}

TEST(ClimateCli, SnowRefusedValuesExitTwoWithTheMessage) {
    struct Case {
        QStringList args;
        const char* err;
    } cases[] = {
        {{"--altitude", "-5"}, "Inserire Altezza Livello Mare : valore positivo"},
        {{"--altitude=abc"}, "Inserire Altezza Livello Mare con formato numerico corretto."},
        {{"--altitude", ""}, "Inserire Altezza Livello Mare con formato numerico corretto."},
        {{"--zone", "IV"}, "zona non valida"},
        {{"--pitches", "3"}, "falde"},
        {{"--altitude"}, "manca il valore"},
        {{"--bogus"}, "opzione sconosciuta"},
        {{"--json=1"}, "non vuole un valore"},
        {{"stray"}, "argomento inatteso"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = snow(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(ClimateCli, SnowSummaryWithoutJson) {
    const CliRun r = snow({"--zone", "II", "--altitude", "200"});
    ASSERT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Zona II")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("= 100,00 daN/m²")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("= 80,00 daN/m²")));
}

TEST(ClimateCli, WindDefaultsAreTheStartUpValues) {
    const CliRun r = wind({QStringLiteral("--json")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject o = r.json();
    EXPECT_EQ(o.value("Text10").toString(), QStringLiteral("33"));
    EXPECT_EQ(o.value("Text11").toString(), QStringLiteral("IV"));
    EXPECT_EQ(o.value("Text13").toString(), QStringLiteral("1,634212"));
    EXPECT_EQ(o.value("Text2").toString(), QStringLiteral("68,06"));
    EXPECT_EQ(o.value("Text1").toString(), QStringLiteral("44,49"));
    EXPECT_EQ(o.value("Text6").toString(),
              QStringLiteral("(1/2)·D·Vp² = 0.5·1,25·33,00² = 680,63 N/m²"));
    EXPECT_EQ(o.value("FormulaVentoAux").toString(),
              QStringLiteral("qb·Ce·Cp·Cd =680,63·1,63·0,40·1,00 = 444,91 N/m²"));
    EXPECT_EQ(o.value("Text8").toString(),
              o.value("FormulaVentoAux").toString() + QStringLiteral(" (daN/mq)"));
    EXPECT_EQ(o.value("category").toString(), QStringLiteral("IV"));
    EXPECT_DOUBLE_EQ(o.value("vb").toDouble(), 33);
    EXPECT_NEAR(o.value("ce").toDouble(), 1.634212, 1e-6);
    EXPECT_NEAR(o.value("qb").toDouble(), 68.0625, 1e-9);
    EXPECT_NEAR(o.value("P").toDouble(), 44.4914, 1e-3);
}

TEST(ClimateCli, WindOptions) {
    struct Case {
        QStringList args;
        const char* category;
        const char* text1;
    } cases[] = {
        {{"--zone", "1", "--class", "D", "--distance", "40", "--height", "10", "--altitude", "800",
          "--cp", "1"},
         "IV",
         "69,65"},
        {{"--zone=2", "--class=d", "--distance=40", "--height=10", "--altitude=800", "--cp=1"},
         "III",
         "88,59"},
        {{"--zone", "9", "--class", "A", "--distance", "0"}, "", "0,00"},
        {{"--zone", "9", "--class", "A", "--distance", "0.1"}, "I", "80,25"},
        {{"--zone", "5", "--class", "C", "--distance", "5"}, "III", "35,61"},
        {{"--height", "2"}, "IV", "44,49"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = wind(c.args + QStringList{"--json"});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.json().value("category").toString(), QString::fromUtf8(c.category));
        EXPECT_EQ(r.json().value("Text11").toString(), QString::fromUtf8(c.category));
        EXPECT_EQ(r.json().value("Text1").toString(), QString::fromUtf8(c.text1));
    }
}

TEST(ClimateCli, WindRefusedValuesExitTwoWithTheMessage) {
    struct Case {
        QStringList args;
        const char* err;
    } cases[] = {
        {{"--cd", ""}, "Inserire Coefficiente Dinamico con formato numerico corretto"},
        {{"--altitude", "x"},
         "Inserire Altezza sul Livello del Mare con formato numerico corretto"},
        {{"--height=h"}, "Inserire Altezza Edificio con formato numerico corretto"},
        {{"--distance", "-"}, "Inserire Distanza dal Mare con formato numerico corretto"},
        {{"--ct", "1..0"}, "Inserire Coefficiente di Topografia con formato numerico corretto"},
        {{"--cp", "?"}, "Inserire Coefficiente di Pressione Netta con formato numerico corretto"},
        {{"--zone", "10"}, "zona non valida"},
        {{"--zone", "x"}, "zona non valida"},
        {{"--class", "E"}, "classe di rugosità non valida"},
        {{"--parapet"}, "opzione sconosciuta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = wind(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << r.err.toStdString();
    }
}

TEST(ClimateCli, ExtremeValuesNeverBreakTheOutput) {
    for (const QStringList& args :
         {QStringList{"--altitude", "99999999999999999999999999999999999999"},
          QStringList{"--altitude", "1e38", "--ce", "1e38"}}) {
        const CliRun r = snow(args + QStringList{"--json"});
        EXPECT_EQ(r.code, 0);
        EXPECT_FALSE(r.json().isEmpty()) << r.out.toStdString();
    }
    const CliRun w = wind({"--altitude", "1e38", "--height", "1e38", "--cp", "1e38", "--json"});
    EXPECT_EQ(w.code, 0);
    EXPECT_FALSE(w.json().isEmpty()) << w.out.toStdString();
}
