#include <gtest/gtest.h>

#include "DatiAnalisi.h"
#include "PrintLayout.h"

TEST(PrintLayout, EmptyAnalysisPrintsThreeLines) {
    DatiAnalisi d;
    const QList<PrintLine> lines = buildPrintLines(d);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(
        lines[0].specifica(),
        QStringLiteral(
            "|Testo=ANALISI DEI CARICHI|x1=10,00|y1=20,00|Carattere=Courier New|Altezza=10|Col=0"
            "|Angolo=0|Grassetto=True|Sottolineato=True|Barrato=False|Corsivo=False|Opaco=False"
            "|ColoreOpaco=0|DX=0|NCar=0|"));
    EXPECT_EQ(lines[1].y, 34);
    EXPECT_TRUE(
        lines[1].specifica().contains(QStringLiteral("|Grassetto=False|Sottolineato=True|")));
    EXPECT_EQ(lines[2].y, 41);
    EXPECT_TRUE(lines[2].text.endsWith(QStringLiteral(" G1  =  0,00 daN/mq")));
    EXPECT_TRUE(
        lines[2].specifica().contains(QStringLiteral("|Grassetto=False|Sottolineato=False|")));
}

TEST(PrintLayout, GroupRowsRulesAndTotalsStandWhereExpected) {
    DatiAnalisi d;
    for (int j : {1, 2, 3}) {
        d.PermAttivo[j] = 1;
        d.PermValore[j] = 10.0f * j;
        d.PermDescr[j] = QStringLiteral("Riga %1").arg(j);
    }
    d.TotPermanenti = 60;
    const QList<PrintLine> lines = buildPrintLines(d);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[3].text, QStringLiteral("CARICHI PERMANENTI NON STRUTTURALI:"));
    EXPECT_EQ(lines[4].y, 55);
    EXPECT_EQ(lines[5].y, 62);
    EXPECT_EQ(lines[6].y, 69);
    EXPECT_TRUE(lines[4].text.endsWith(QStringLiteral("     = 10,00 daN/mq")));
    EXPECT_TRUE(lines[5].text.endsWith(QStringLiteral("     = 20,00   \"")));
    EXPECT_EQ(lines[7].text, QString(20, QLatin1Char('-')));
    EXPECT_TRUE(lines[7].specifica().contains(QStringLiteral("|x1=130,00|y1=72,50|")));
    EXPECT_EQ(lines[8].text, QStringLiteral("G2  = 60,00 daN/mq"));
    EXPECT_EQ(lines[8].y, 76);
}

TEST(PrintLayout, VariableLoadsAreNumberedAndAFullPageEndsAt258) {
    DatiAnalisi d;
    for (int j = 1; j <= 13; ++j) {
        d.PermAttivo[j] = 1;
        d.PermValore[j] = 1;
    }
    d.TotPermanenti = 13;
    for (int j = 1; j <= 5; ++j) {
        d.LDAttivo[j] = 1;
        d.LDValore[j] = 2;
    }
    d.TotLungaDurata = 10;
    d.Categoria = 1;
    d.DescrCategoria = QStringLiteral("Residenziale");
    d.TotBreveRipartito = 200;
    d.CaricoNeve = 140;
    d.FormulaNeve = QStringLiteral("neve|con barra");
    d.CaricoVento = 44.49f;
    d.ZonaVento = 4;
    d.CategoriaEsposizione = QStringLiteral("IV ");
    const QList<PrintLine> lines = buildPrintLines(d);
    EXPECT_EQ(lines.last().y, 258);
    QStringList totals;
    for (const PrintLine& l : lines) {
        const int k = l.text.indexOf(QStringLiteral("Qk"));
        if (k >= 0) totals << l.text.mid(k, 3);
    }
    EXPECT_EQ(totals, (QStringList{QStringLiteral("Qk1"), QStringLiteral("Qk2"),
                                   QStringLiteral("Qk3"), QStringLiteral("Qk4")}));
    // Long-duration rows stand one step below their heading; the total half a step under the rule.
    const auto at = [&](const QString& start) {
        for (const PrintLine& l : lines)
            if (l.text.startsWith(start)) return l.y;
        return -1.0;
    };
    EXPECT_EQ(at(QStringLiteral("CARICHI VARIABILI DI LUNGA DURATA:")), 153);
    EXPECT_EQ(at(QStringLiteral("Qk1 =")), 195);
    EXPECT_EQ(at(QStringLiteral("     ZONA: 4            as=750,00m.     Rug.=\"B\"")), 244);
    // A bar typed in a text cannot break the command apart.
    for (const PrintLine& l : lines)
        if (l.text.contains(QStringLiteral("neve"))) {
            EXPECT_FALSE(l.specifica().contains(QStringLiteral("neve|")));
            EXPECT_TRUE(l.specifica().contains(QStringLiteral("neve¦con barra")));
        }
}
