#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>

#include "DatiAnalisi.h"
#include "Report.h"

namespace {
QString dots(const QString& start, int pairs) {
    QString s = start;
    for (int i = 0; i < pairs; ++i) s += QStringLiteral(" .");
    return s;
}
const QString kPesoProprio = dots(QStringLiteral("PESO PROPRIO:"), 23);  // 59 characters
}  // namespace

TEST(Report, PaddedTextAndValueFields) {
    EXPECT_EQ(paddedText(QStringLiteral("PESO PROPRIO: ")), kPesoProprio);
    EXPECT_EQ(kPesoProprio.size(), 59);
    // An even trimmed length ends on a blank.
    EXPECT_EQ(paddedText(QStringLiteral("ab")), dots(QStringLiteral("ab"), 28) + QLatin1Char(' '));
    EXPECT_EQ(paddedText(QString()), dots(QStringLiteral("."), 29));
    const QString longText(70, QLatin1Char('x'));
    EXPECT_EQ(paddedText(longText), QString(59, QLatin1Char('x')));
    EXPECT_EQ(paddedText(QStringLiteral("   lead")),
              dots(QStringLiteral("lead"), 27) + QLatin1Char(' '));
    EXPECT_EQ(valueField(30), QStringLiteral(" 30,00 daN/mq"));
    EXPECT_EQ(valueField(1234.5f), QStringLiteral("1234,50 daN/mq"));
    EXPECT_EQ(dittoField(5), QStringLiteral("  5,00   \""));
}

TEST(Report, EmptyAnalysisHasTitleAndSelfWeightOnly) {
    DatiAnalisi d;
    const QStringList lines = reportLines(buildReport(d));
    const QStringList expected = {
        QStringLiteral("     ANALISI DEI CARICHI"),
        QString(),
        QStringLiteral("     CARICHI PERMANENTI:"),
        QStringLiteral("      ") + kPesoProprio + QStringLiteral(" G1 =  0,00 daN/mq"),
        QString(),
        QString(),
    };
    EXPECT_EQ(lines, expected);
}

TEST(Report, GroupsNumberVariableLoadsAndUseDittoRows) {
    DatiAnalisi d;
    d.DescrPesoProprio = QStringLiteral("Solaio latero-cemento");
    d.PesoProprio = 250;
    d.PermAttivo[1] = 1;
    d.PermValore[1] = 30;
    d.PermDescr[1] = QStringLiteral("Intonaco");
    d.PermAttivo[10] = 1;
    d.PermValore[10] = 120;
    d.PermDescr[10] = QStringLiteral("Incidenza Tramezzi 2.00 < P/ml <= 3.00 KN/m");
    d.PermValore[2] = 50;  // unticked rows stay out
    d.TotPermanenti = 150;
    d.LDAttivo[2] = 1;
    d.LDValore[2] = 100;
    d.LDDescr[2] = QStringLiteral("Archivio");
    d.TotLungaDurata = 100;
    d.Categoria = 1;
    d.DescrCategoria = QStringLiteral("Ambienti ad uso residenziale");
    d.TotBreveRipartito = 200;
    d.TotBreveConcentrato = 200;
    d.NeveAttiva = 1;
    d.CaricoNeve = 140;
    d.FormulaNeve = QStringLiteral("0,80·[0.51·[1+(750/481)²]]·1,00·1,00 (daN/mq)");
    d.ZonaNeve = QStringLiteral("III");
    d.MuNeve = 0.8f;

    const QStringList lines = reportLines(buildReport(d));
    const QString p = QStringLiteral("     ");
    const QStringList expected = {
        QStringLiteral("     ANALISI DEI CARICHI"),
        QString(),
        QStringLiteral("     CARICHI PERMANENTI:"),
        QStringLiteral("      ") + dots(QStringLiteral("PESO PROPRIO: Solaio latero-cemento"), 12) +
            QStringLiteral(" G1 =250,00 daN/mq"),
        QString(),
        QStringLiteral("     CARICHI PERMANENTI NON STRUTTURALI:"),
        p + dots(QStringLiteral("Intonaco"), 25) + QStringLiteral("     = 30,00 daN/mq"),
        p + dots(QStringLiteral("Incidenza Tramezzi 2.00 < P/ml <= 3.00 KN/m"), 8) +
            QStringLiteral("    =120,00   \""),
        QString(62, QLatin1Char(' ')) + QString(20, QLatin1Char('-')),
        QString(64, QLatin1Char(' ')) + QStringLiteral(" G2 =150,00 daN/mq"),
        QStringLiteral("     CARICHI VARIABILI DI LUNGA DURATA:"),
        p + dots(QStringLiteral("Archivio"), 25) + QStringLiteral("     =100,00 daN/mq"),
        QString(62, QLatin1Char(' ')) + QString(20, QLatin1Char('-')),
        QString(64, QLatin1Char(' ')) + QStringLiteral(" Qk1=100,00 daN/mq"),
        QStringLiteral("     CARICHI VARIABILI DI BREVE DURATA:"),
        p + dots(QStringLiteral("Ambienti ad uso residenziale"), 15) +
            QStringLiteral("  Qk2=200,00 daN/mq"),
        QString(),
        QStringLiteral("     CARICO NEVE:"),
        QStringLiteral("     ZONA III     as=750,00m.     CE=1,00     Ct=1,00     μ=0,80"),
        p + QStringLiteral("0,80·[0.51·[1+(750/481)²]]·1,00·1,00 (daN/mq)") +
            QStringLiteral(" . . . . . . .") + QStringLiteral(" Qk3=140,00 daN/mq"),
        QString(),
        QString(),
    };
    ASSERT_EQ(lines.size(), expected.size()) << lines.join(QLatin1Char('\n')).toStdString();
    for (int i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
}

TEST(Report, SectionsShowOnTheirConditions) {
    DatiAnalisi d;
    d.Categoria = 3;
    d.DescrCategoria = QStringLiteral("Uffici");
    d.TotBreveRipartito = 0;  // concentrated alone does not print
    d.TotBreveConcentrato = 200;
    d.TotPermanenti = -5;  // negative totals hide their sections
    d.TotLungaDurata = -1;
    d.CaricoVento = -12.5f;  // negative wind prints
    d.FormulaVento = QStringLiteral("P");
    d.ZonaVento = 4;
    d.ClasseRugosita = QStringLiteral("B");
    d.CategoriaEsposizione = QStringLiteral("IV");
    const QString all = reportLines(buildReport(d)).join(QLatin1Char('\n'));
    EXPECT_FALSE(all.contains(QStringLiteral("BREVE DURATA")));
    EXPECT_FALSE(all.contains(QStringLiteral("NON STRUTTURALI")));
    EXPECT_FALSE(all.contains(QStringLiteral("LUNGA DURATA")));
    EXPECT_TRUE(all.contains(QStringLiteral("     ZONA: 4           as= 750,00m.    Rug.=\"B\"")));
    EXPECT_TRUE(
        all.contains(QStringLiteral("     Dmare=50,00km.     Hedif=6,00m.    Cesp=\"IV \"")));
    EXPECT_TRUE(all.contains(QStringLiteral(" Qk1=-12,50 daN/mq")));
}

TEST(Report, RunsCarryFontsColoursAndSubscripts) {
    DatiAnalisi d;
    const QList<ReportRun> runs = buildReport(d);
    const auto find = [&](const QString& text) {
        for (const ReportRun& r : runs)
            if (r.text == text) return r;
        ADD_FAILURE() << "no run " << text.toStdString();
        return ReportRun{};
    };
    const ReportRun title = find(QStringLiteral("ANALISI DEI CARICHI\n"));
    EXPECT_TRUE(title.bold);
    EXPECT_TRUE(title.underline);
    EXPECT_EQ(title.color, QColor(0, 0, 0));
    const ReportRun sub = find(QStringLiteral("1"));
    EXPECT_EQ(sub.size, 8);
    EXPECT_EQ(sub.offsetTwips, -40);
    EXPECT_EQ(sub.color, QColor(0, 0, 255));
    EXPECT_EQ(sub.font, QStringLiteral("Courier New"));
    const ReportRun after = find(QStringLiteral(" =  0,00 daN/mq\n\n\n"));
    EXPECT_EQ(after.size, 10);
    EXPECT_EQ(after.offsetTwips, 0);

    QTextDocument doc;
    QTextCursor cursor(&doc);
    appendRuns(cursor, runs);
    EXPECT_EQ(doc.toPlainText().split(QLatin1Char('\n')).first(),
              QStringLiteral("     ANALISI DEI CARICHI"));
    // In the pane a subscript is an 8-point run below the baseline, not shrunk again.
    bool seen = false;
    for (QTextBlock b = doc.begin(); b != doc.end(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.text() != QStringLiteral("1")) continue;
            seen = true;
            EXPECT_EQ(f.charFormat().fontPointSize(), 8);
            EXPECT_LT(f.charFormat().baselineOffset(), 0);
            EXPECT_EQ(f.charFormat().verticalAlignment(), QTextCharFormat::AlignNormal);
            EXPECT_EQ(f.charFormat().foreground().color(), QColor(0, 0, 255));
            EXPECT_EQ(f.charFormat().fontFamilies().toStringList(),
                      QStringList{QStringLiteral("Courier New")});
        }
    }
    EXPECT_TRUE(seen);
}

TEST(Report, BannerNamesVersionMakerAndAddress) {
    const QList<ReportRun> runs =
        buildBanner(QStringLiteral("https://www.example.com/tessaro"), 1, 0);
    const QStringList lines = reportLines(runs);
    ASSERT_GE(lines.size(), 10);
    EXPECT_EQ(lines[3], QStringLiteral("                     Software Free"));
    EXPECT_EQ(lines[5], QStringLiteral("     ANALISI DEI CARICHI  D.M.14/01/2008 Vers. 1. 0"));
    EXPECT_EQ(lines[8], QString(23, QLatin1Char(' ')) + QStringLiteral("Vortanel"));
    EXPECT_EQ(lines[9],
              QString(20, QLatin1Char(' ')) + QStringLiteral("https://www.example.com/tessaro"));
    const ReportRun& link = runs.last();
    EXPECT_EQ(link.text, QStringLiteral("https://www.example.com/tessaro"));
    EXPECT_TRUE(link.underline);
    EXPECT_EQ(link.color, QColor(0, 0, 255));
}

namespace {
const QString kHead = QStringLiteral("     ANALISI DEI CARICHI");
const QString kRule = QString(62, QLatin1Char(' ')) + QString(20, QLatin1Char('-'));
QStringList opening() {
    return {kHead, QString(), QStringLiteral("     CARICHI PERMANENTI:"),
            QStringLiteral("      ") + kPesoProprio + QStringLiteral(" G1 =  0,00 daN/mq"),
            QString()};
}
}  // namespace

TEST(Report, EachClassAloneAndTogetherNumbersItsLoads) {
    struct Case {
        const char* what;
        std::function<void(DatiAnalisi&)> set;
        QStringList body;  // the lines between the self weight's spacer and the end
    };
    const QString ld1 = QStringLiteral("     ") + dots(QStringLiteral("Archivio"), 25);
    const QString ld2 = QStringLiteral("     ") + dots(QStringLiteral("Deposito"), 25);
    auto longDuration = [](DatiAnalisi& d) {
        d.LDAttivo[1] = d.LDAttivo[4] = 1;
        d.LDDescr[1] = QStringLiteral("Archivio");
        d.LDDescr[4] = QStringLiteral("Deposito");
        d.LDValore[1] = 100;
        d.LDValore[4] = 50.5f;
        d.LDDescr[2] = QStringLiteral("spenta");  // unticked rows stay out
        d.TotLungaDurata = 150.5f;
    };
    auto category = [](DatiAnalisi& d) {
        d.Categoria = 2;
        d.DescrCategoria = QStringLiteral("Uffici");
        d.TotBreveRipartito = 200;
    };
    auto snow = [](DatiAnalisi& d) {
        d.CaricoNeve = -12.5f;  // a negative load still prints
        d.FormulaNeve = QStringLiteral("a mano");
        d.ZonaNeve = QStringLiteral("Ia");
        d.QuotaSlm = 1200;
        d.CeNeve = 0.9f;
        d.CtNeve = 1;
        d.MuNeve = 0.8f;
    };
    auto wind = [](DatiAnalisi& d) {
        d.CaricoVento = 1234.5f;
        d.FormulaVento = QStringLiteral("vento");
        d.ZonaVento = 9;
        d.QuotaSlm = 1200;
        d.ClasseRugosita = QStringLiteral("D");
        d.DistanzaMare = 0.5f;
        d.AltezzaEdificio = 30;
        d.CategoriaEsposizione = QStringLiteral("V  ");
    };
    auto ldLines = [&](int n) {
        return QStringList{
            QStringLiteral("     CARICHI VARIABILI DI LUNGA DURATA:"),
            ld1 + QStringLiteral("     =100,00 daN/mq"), ld2 + QStringLiteral("     = 50,50   \""),
            kRule, QString(64, QLatin1Char(' ')) + QStringLiteral(" Qk%1=150,50 daN/mq").arg(n)};
    };
    auto catLines = [](int n) {
        return QStringList{QStringLiteral("     CARICHI VARIABILI DI BREVE DURATA:"),
                           QStringLiteral("     ") + dots(QStringLiteral("Uffici"), 26) +
                               QStringLiteral("  Qk%1=200,00 daN/mq").arg(n),
                           QString()};
    };
    auto snowLines = [](int n) {
        return QStringList{
            QStringLiteral("     CARICO NEVE:"),
            QStringLiteral("     ZONA Ia     as=1200,00m.     CE=0,90     Ct=1,00     μ=0,80"),
            QStringLiteral("     ") + dots(QStringLiteral("a mano"), 26) +
                QStringLiteral("  Qk%1=-12,50 daN/mq").arg(n),
            QString()};
    };
    auto windLines = [](int n) {
        return QStringList{QStringLiteral("     CARICO VENTO:"),
                           QStringLiteral("     ZONA: 9           as= 1200,00m.    Rug.=\"D\""),
                           QStringLiteral("     Dmare=0,50km.     Hedif=30,00m.    Cesp=\"V  \""),
                           QStringLiteral("     ") + dots(QStringLiteral("vento"), 27) +
                               QStringLiteral(" Qk%1=1234,50 daN/mq").arg(n),
                           QString()};
    };
    const QList<Case> cases = {
        {"long duration", longDuration, ldLines(1)},
        {"category", category, catLines(1)},
        {"snow", snow, snowLines(1)},
        {"wind", wind, windLines(1)},
        {"all four",
         [&](DatiAnalisi& d) {
             longDuration(d);
             category(d);
             snow(d);
             wind(d);
         },
         ldLines(1) + catLines(2) + snowLines(3) + windLines(4)},
        {"category and wind",
         [&](DatiAnalisi& d) {
             category(d);
             wind(d);
         },
         catLines(1) + windLines(2)},
        {"distributed value without a category",
         [](DatiAnalisi& d) {
             d.TotBreveRipartito = 300;
             d.DescrCategoria = QStringLiteral("mai scelta");
         },
         {}},
    };
    for (const Case& c : cases) {
        DatiAnalisi d;
        c.set(d);
        const QStringList expected = opening() + c.body + QStringList{QString()};
        const QStringList lines = reportLines(buildReport(d));
        EXPECT_EQ(lines, expected) << c.what << "\n" << lines.join('\n').toStdString();
    }
}

TEST(Report, FreeRowTextsLongerThanTheFieldAreCut) {
    DatiAnalisi d;
    const QString longText =
        QStringLiteral("Controsoffitto in cartongesso con orditura metallica e isolante");
    ASSERT_GT(longText.size(), 59);
    for (int j : {11, 12, 13}) {
        d.PermAttivo[j] = 1;
        d.PermValore[j] = static_cast<float>(j);
        d.PermDescr[j] = longText;
    }
    d.PermDescr[12] = QStringLiteral("  Massetto  ");  // blanks around are dropped
    d.TotPermanenti = 36;
    const QStringList lines = reportLines(buildReport(d));
    const QString cut = QStringLiteral("     ") + longText.left(59);
    ASSERT_GE(lines.size(), 11);
    EXPECT_EQ(lines[5], QStringLiteral("     CARICHI PERMANENTI NON STRUTTURALI:"));
    EXPECT_EQ(lines[6], cut + QStringLiteral("    = 11,00 daN/mq"));
    EXPECT_EQ(lines[7], QStringLiteral("     ") + dots(QStringLiteral("Massetto"), 25) +
                            QStringLiteral("     = 12,00   \""));
    EXPECT_EQ(lines[8], cut + QStringLiteral("    = 13,00   \""));
    EXPECT_EQ(lines[9], kRule);
    EXPECT_EQ(lines[10], QString(64, QLatin1Char(' ')) + QStringLiteral(" G2 = 36,00 daN/mq"));
}
