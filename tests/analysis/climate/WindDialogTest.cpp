#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "ClimateWidgets.h"
#include "Prompter.h"
#include "sovrcar_vento.h"

namespace {

class WindDialog : public testing::Test {
protected:
    WindDialog() {
        prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }
    void TearDown() override { EXPECT_TRUE(prompter.allAnswered()); }

    // As the main window fills a fresh dialog from its start-up parameter set.
    static void fillStartUp(sovrcar_vento& d) {
        d.OptZona[4]->setChecked(true);
        d.OptClasse[2]->setChecked(true);
        d.Text7->setText(QStringLiteral("750"));
        d.Text4->setText(QStringLiteral("50"));
        d.Text3->setText(QStringLiteral("6"));
        d.Text5->setText(QStringLiteral("1"));
        d.Text15->setText(QStringLiteral("1"));
        d.Text16->setText(QStringLiteral("0,4"));
    }

    DatiAnalisi record;
    platform::ScriptedPrompter prompter;
};

}  // namespace

TEST_F(WindDialog, LoadsWithItsInitialTextsAndComputesNothingUntilAsked) {
    sovrcar_vento d(record, prompter);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Carico da Vento"));
    EXPECT_EQ(d.size(), QSize(500, 441));
    EXPECT_EQ(d.SSTab1->currentIndex(), 0);
    EXPECT_EQ(d.Text7->text(), QStringLiteral("750"));
    EXPECT_EQ(d.Text4->text(), QStringLiteral("50,00"));
    EXPECT_EQ(d.Text3->text(), QStringLiteral("4,00"));
    EXPECT_EQ(d.Text5->text(), QStringLiteral("1,00"));
    EXPECT_EQ(d.Text15->text(), QStringLiteral("1,00"));
    EXPECT_EQ(d.Text16->text(), QStringLiteral("0,4"));
    EXPECT_TRUE(d.OptZona[4]->isChecked());
    EXPECT_TRUE(d.OptClasse[4]->isChecked());
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(d.OptClasse[k]->text(), QString(QChar(u'A' + k - 1)));
    EXPECT_TRUE(d.Command1->isDefault());

    fillStartUp(d);
    d.Text16->setText(QStringLiteral("x"));  // not shown yet: no computation, no message
    EXPECT_TRUE(d.Text1->text().isEmpty());
    EXPECT_TRUE(d.FormulaVentoAux.isEmpty());
    EXPECT_FALSE(d.isShownOnce());
}

TEST_F(WindDialog, StartUpComputation) {
    sovrcar_vento d(record, prompter);
    fillStartUp(d);
    d.Calcola_P();
    EXPECT_EQ(d.Text10->text(), QStringLiteral("33"));
    EXPECT_EQ(d.Text11->text(), QStringLiteral("IV"));
    EXPECT_EQ(d.Text13->text(), QStringLiteral("1,634212"));
    EXPECT_EQ(d.Text6->text(), QStringLiteral("(1/2)·D·Vp² = 0.5·1,25·33,00² = 680,63 N/m²"));
    EXPECT_EQ(d.Text2->text(), QStringLiteral("68,06"));
    EXPECT_EQ(d.FormulaVentoAux,
              QStringLiteral("qb·Ce·Cp·Cd =680,63·1,63·0,40·1,00 = 444,91 N/m²"));
    EXPECT_EQ(d.Text8->text(), d.FormulaVentoAux + QStringLiteral(" (daN/mq)"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("44,49"));
    EXPECT_NEAR(d.CarVentoAux, 44.4914f, 1e-4);

    // Calcola_CoefEsp alone gives the same category and coefficient.
    d.Text11->clear();
    d.Text13->clear();
    d.Calcola_CoefEsp();
    EXPECT_EQ(d.Text11->text(), QStringLiteral("IV"));
    EXPECT_EQ(d.Text13->text(), QStringLiteral("1,634212"));
}

TEST_F(WindDialog, OnceShownEveryChangeRecomputes) {
    sovrcar_vento d(record, prompter);
    fillStartUp(d);
    d.Calcola_P();
    d.show();
    ASSERT_TRUE(d.isShownOnce());
    struct Step {
        std::function<void()> act;
        const char* category;
        const char* p;
    } steps[] = {
        {[&] { d.OptZona[1]->click(); }, "IV", "25,53"},
        {[&] { d.OptClasse[4]->click(); }, "III", "28,39"},
        {[&] { d.Text4->setText(QStringLiteral("40")); }, "III", "28,39"},
        {[&] { d.Text3->setText(QStringLiteral("10")); }, "III", "33,40"},
        {[&] { d.Text7->setText(QStringLiteral("800")); }, "IV", "27,86"},
        {[&] { d.Text16->setText(QStringLiteral("1")); }, "IV", "69,65"},
        {[&] { d.OptZona[2]->click(); }, "III", "88,59"},
        {[&] { d.Text7->setText(QStringLiteral("500")); }, "II", "91,89"},
        {[&] { d.OptZona[1]->click(); }, "II", "91,89"},
        {[&] { d.Text4->setText(QStringLiteral("0")); }, "I", "108,46"},
        {[&] { d.OptClasse[1]->click(); }, "", "0,00"},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(d.Text11->text(), QString::fromUtf8(s.category));
        EXPECT_EQ(d.Text1->text(), QString::fromUtf8(s.p));
    }
}

TEST_F(WindDialog, AFieldThatIsNotANumberStopsWithItsMessage) {
    sovrcar_vento d(record, prompter);
    fillStartUp(d);
    d.Calcola_P();
    d.show();
    prompter.answerMessage().answerMessage();
    d.Text15->setText(QString());
    EXPECT_EQ(prompter.messages().value(0),
              QStringLiteral("Inserire Coefficiente Dinamico con formato numerico corretto"));
    EXPECT_TRUE(prompter.shown().value(0).title.isEmpty());  // the program's title
    for (QLineEdit* f : {d.Text6, d.Text2, d.Text8, d.Text1}) EXPECT_TRUE(f->text().isEmpty());
    // The public results keep the last completed computation.
    EXPECT_NEAR(d.CarVentoAux, 44.4914f, 1e-4);
    EXPECT_FALSE(d.FormulaVentoAux.isEmpty());

    d.Text15->setText(QStringLiteral("1"));
    d.Text3->setText(QStringLiteral("alto"));
    EXPECT_EQ(prompter.messages().value(1),
              QStringLiteral("Inserire Altezza Edificio con formato numerico corretto"));
    EXPECT_EQ(d.Text3->selectedText(), QStringLiteral("alto"));
    EXPECT_EQ(prompter.beeps(), 2);
}

TEST_F(WindDialog, MapAreasAndRegionCaptionsChooseZones) {
    sovrcar_vento d(record, prompter);
    const auto& areas = d.Mappa->map().areas();
    ASSERT_EQ(areas.size(), 12);
    for (int i = 0; i < areas.size(); ++i) {
        d.OptZona[9 - (areas[i].zone % 9)]->setChecked(true);  // another zone first
        QTest::mouseClick(d.Mappa, Qt::LeftButton, {}, d.Mappa->widgetPointOf(i));
        EXPECT_EQ(d.chosenZone(), areas[i].zone) << areas[i].toolTip.toStdString();
        EXPECT_EQ(d.Mappa->areaAtWidgetPoint(d.Mappa->widgetPointOf(i)), i);
    }
    d.OptZona[7]->setEnabled(false);
    d.OptZona[1]->setChecked(true);
    QTest::mouseClick(d.Mappa, Qt::LeftButton, {}, d.Mappa->widgetPointOf(6));  // Liguria
    EXPECT_EQ(d.chosenZone(), 1);
}

TEST_F(WindDialog, KeyRules) {
    sovrcar_vento d(record, prompter);
    d.Text7->clear();
    QTest::keyClicks(d.Text7, QStringLiteral("7.5,0"));
    EXPECT_EQ(d.Text7->text(), QStringLiteral("750"));
    for (QLineEdit* f : {d.Text3, d.Text4, d.Text5, d.Text15, d.Text16}) {
        f->clear();
        QTest::keyClicks(f, QStringLiteral("0.5"));
        EXPECT_EQ(f->text(), QStringLiteral("0,5"));
    }
}

TEST_F(WindDialog, StarButtonShowsThePressureCoefficientsUnderCp) {
    sovrcar_vento d(record, prompter);
    d.show();
    d.SSTab1->setCurrentIndex(2);
    EXPECT_FALSE(d.FiguraCp->isVisible());
    d.CommandCp->click();
    EXPECT_TRUE(d.FiguraCp->isVisible());
    const QWidget* page = d.FiguraCp->parentWidget();
    EXPECT_EQ(d.FiguraCp->x(), 0);
    EXPECT_EQ(d.FiguraCp->y(), d.Text16->mapTo(page, QPoint(0, d.Text16->height())).y() + 13);
    d.CommandCp->click();
    EXPECT_FALSE(d.FiguraCp->isVisible());
}

TEST_F(WindDialog, ApplicaHandsBackTheLastComputation) {
    record.NeveAttiva = 1;
    record.QuotaSlm = 800;
    sovrcar_vento d(record, prompter);
    fillStartUp(d);
    d.Calcola_P();
    QSignalSpy accepted(&d, &QDialog::accepted);

    prompter.answerMessage();
    d.Command1->click();
    EXPECT_EQ(accepted.count(), 0);
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown()[0].title, QStringLiteral("Errore Altezza Livello Mare"));
    EXPECT_EQ(prompter.shown()[0].style, platform::vbOKOnly | platform::vbCritical);
    EXPECT_EQ(prompter.shown()[0].text,
              QStringLiteral("Impossibile Procedere, l'Altezza sul Livello del mare indicata per "
                             "il calcolo dell'azione della Neve è diversa da quella indicata per "
                             "l'azione del Vento.\nHsl(mare) = 800,00"));
    EXPECT_EQ(d.Text7->selectedText(), QStringLiteral("750"));
    EXPECT_EQ(record.VentoAttivo, 0);

    d.Text7->setText(QStringLiteral("800"));  // not shown: Applica computes it
    d.Command1->click();
    ASSERT_EQ(accepted.count(), 1);
    EXPECT_EQ(record.VentoAttivo, 1);
    EXPECT_EQ(record.QuotaSlm, 800.0f);
    const WindHandBack& h = d.handBack;
    EXPECT_EQ(h.hslm, QStringLiteral("800"));
    EXPECT_EQ(h.formula, d.FormulaVentoAux);
    EXPECT_EQ(h.value, QStringLiteral("47,23"));
    EXPECT_EQ(h.zona, QStringLiteral("4"));
    EXPECT_EQ(h.classe, QStringLiteral("B"));
    EXPECT_EQ(h.distanza, QStringLiteral("50"));
    EXPECT_EQ(h.altezza, QStringLiteral("6"));
    EXPECT_EQ(h.categoria, QStringLiteral("IV"));
    EXPECT_EQ(h.ce, QStringLiteral("1,634212"));
    EXPECT_EQ(h.ct, QStringLiteral("1"));
    EXPECT_EQ(h.cd, QStringLiteral("1"));
    EXPECT_EQ(h.cp, QStringLiteral("0,4"));
    EXPECT_EQ(h.vb, QStringLiteral("34"));
}

TEST_F(WindDialog, ApplicaWithAFieldThatIsNotANumberStaysOpen) {
    sovrcar_vento d(record, prompter);
    fillStartUp(d);
    d.Calcola_P();
    d.Text15->setText(QString());
    QSignalSpy accepted(&d, &QDialog::accepted);
    prompter.answerMessage();
    d.Command1->click();
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_EQ(prompter.messages().value(0),
              QStringLiteral("Inserire Coefficiente Dinamico con formato numerico corretto"));
    EXPECT_EQ(record.VentoAttivo, 0);
    EXPECT_TRUE(d.handBack.formula.isEmpty());
}

TEST_F(WindDialog, AnnullaHandsNothingBack) {
    sovrcar_vento d(record, prompter);
    QSignalSpy rejected(&d, &QDialog::rejected);
    d.Command2->click();
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_TRUE(d.handBack.formula.isEmpty());
    EXPECT_EQ(record.VentoAttivo, 0);
}
