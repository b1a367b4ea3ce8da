#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "ClimateWidgets.h"
#include "Prompter.h"
#include "sovrcar_neve.h"

namespace {

// One application for the executable's dialogs (headless).
class QtApplication : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "climate_dialogs_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) app_ = new QApplication(argc, argv);
    }

private:
    QApplication* app_ = nullptr;
};
const auto* const kQtApplication = testing::AddGlobalTestEnvironment(new QtApplication);

class SnowDialog : public testing::Test {
protected:
    SnowDialog() {
        prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }
    void TearDown() override { EXPECT_TRUE(prompter.allAnswered()); }

    DatiAnalisi record;
    platform::ScriptedPrompter prompter;
};

}  // namespace

TEST_F(SnowDialog, LoadsWithTheStartUpValues) {
    sovrcar_neve d(record, prompter);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Carico da neve"));
    EXPECT_EQ(d.size(), QSize(500, 471));
    EXPECT_EQ(d.SSTab1->currentIndex(), 0);
    EXPECT_EQ(d.Text7->text(), QStringLiteral("750"));
    EXPECT_EQ(d.Text3->text(), QStringLiteral("1,00"));
    EXPECT_EQ(d.Text4->text(), QStringLiteral("1,00"));
    EXPECT_EQ(d.Text9->text(), QString());
    EXPECT_EQ(d.Text5->text(), QStringLiteral("0,80"));
    EXPECT_TRUE(d.Option3->isChecked());
    EXPECT_TRUE(d.Option6->isChecked());
    EXPECT_TRUE(d.Option5->isChecked());
    EXPECT_EQ(d.Text6->text(), QStringLiteral("0,51·[1+(750/481)²] (daN/mq)"));
    EXPECT_EQ(d.Text2->text(), QStringLiteral("174,99"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("140,00"));
    EXPECT_TRUE(d.Command1->isDefault());
    EXPECT_EQ(d.Command1->text(), QStringLiteral("Applica"));
    EXPECT_EQ(d.Command2->text(), QStringLiteral("Annulla"));
    EXPECT_EQ(d.Copertura->pitches(), 1);
}

TEST_F(SnowDialog, WorkedValuesThroughTheControls) {
    sovrcar_neve d(record, prompter);
    d.Option2->click();
    d.Text7->setText(QStringLiteral("200"));
    EXPECT_EQ(d.Text2->text(), QStringLiteral("100,00"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("80,00"));
    EXPECT_EQ(d.Text6->text(), QStringLiteral("1.00 (daN/mq)"));
    d.Text7->setText(QStringLiteral("201"));
    EXPECT_EQ(d.Text2->text(), QStringLiteral("99,84"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("79,87"));

    d.Option1->click();
    d.Text7->setText(QStringLiteral("1000"));
    EXPECT_EQ(d.Text6->text(), QStringLiteral("1,39·[1+(1000/728)²] (daN/mq)"));
    EXPECT_EQ(d.Text2->text(), QStringLiteral("401,27"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("321,02"));
    EXPECT_EQ(d.Text8->text(), QStringLiteral("0,80·[1,39·[1+(1000/728)²]]·1,00·1,00 (daN/mq)"));

    d.Text3->setText(QStringLiteral("abc"));  // counts as 0, silently
    EXPECT_EQ(d.Text1->text(), QStringLiteral("0,00"));
}

TEST_F(SnowDialog, SlopeParapetAndRoofType) {
    sovrcar_neve d(record, prompter);
    struct Step {
        std::function<void()> act;
        const char* mu;
        const char* qs;
    } steps[] = {
        {[&] { d.Text9->setText(QStringLiteral("45")); }, "0,40", "70,00"},
        {[&] { d.Option4->click(); }, "0,80", "140,00"},
        {[&] { d.Text9->setText(QStringLiteral("60")); }, "0,80", "140,00"},
        {[&] { d.Option5->click(); }, "0,00", "0,00"},
        {[&] { d.Text9->setText(QStringLiteral("30")); }, "0,80", "140,00"},
        {[&] { d.Text9->setText(QStringLiteral("-5")); }, "0,00", "0,00"},
        {[&] { d.Option4->click(); }, "0,80", "140,00"},
        {[&] { d.Option7->click(); }, "0,80", "140,00"},
        {[&] { d.Text5->setText(QStringLiteral("0,5")); }, "0,5", "87,50"},  // by hand
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(d.Text5->text(), QString::fromUtf8(s.mu));
        EXPECT_EQ(d.Text1->text(), QString::fromUtf8(s.qs));
    }
    EXPECT_EQ(d.Copertura->pitches(), 2);
}

TEST_F(SnowDialog, RefusedAltitudesKeepTheOutputs) {
    sovrcar_neve d(record, prompter);
    prompter.answerMessage().answerMessage();
    d.Text7->setText(QStringLiteral("-5"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("140,00"));
    d.Text7->setText(QStringLiteral("abc"));
    EXPECT_EQ(d.Text1->text(), QStringLiteral("140,00"));
    d.Text7->setText(QString());  // emptied: nothing at all
    EXPECT_EQ(d.Text1->text(), QStringLiteral("140,00"));
    EXPECT_EQ(prompter.messages(),
              QStringList({QStringLiteral("Inserire Altezza Livello Mare : valore positivo"),
                           QStringLiteral("Inserire Altezza Livello Mare con formato numerico "
                                          "corretto.")}));
    EXPECT_EQ(prompter.beeps(), 2);
}

TEST_F(SnowDialog, KeyRules) {
    sovrcar_neve d(record, prompter);
    d.Text7->clear();
    QTest::keyClicks(d.Text7, QStringLiteral("1.2,5"));
    EXPECT_EQ(d.Text7->text(), QStringLiteral("125"));
    d.Text3->clear();
    QTest::keyClicks(d.Text3, QStringLiteral("0.9"));
    EXPECT_EQ(d.Text3->text(), QStringLiteral("0,9"));
    d.Text9->clear();
    QTest::keyClicks(d.Text9, QStringLiteral("45.0"));
    EXPECT_EQ(d.Text9->text(), QStringLiteral("45,0"));
    EXPECT_EQ(d.Text5->text(), QStringLiteral("0,40"));
}

TEST_F(SnowDialog, ProvinceListsAndMapChooseZones) {
    sovrcar_neve d(record, prompter);
    QRadioButton* options[4] = {d.Option1, d.Option9, d.Option2, d.Option3};
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(d.ProvinceList[i], Qt::LeftButton);
        EXPECT_TRUE(options[i]->isChecked()) << i;
    }
    d.Option9->setEnabled(false);
    QTest::mouseClick(d.ProvinceList[1], Qt::LeftButton);
    EXPECT_TRUE(d.Option3->isChecked());

    // Map areas: zones II and III are chosen there, the first zone is not.
    const auto& areas = d.Mappa->map().areas();
    ASSERT_FALSE(areas.isEmpty());
    for (int i = 0; i < areas.size(); ++i) {
        d.Option1->click();
        QTest::mouseClick(d.Mappa, Qt::LeftButton, {}, d.Mappa->widgetPointOf(i));
        QRadioButton* expected = areas[i].zone == 3   ? d.Option2
                                 : areas[i].zone == 4 ? d.Option3
                                                      : d.Option1;
        EXPECT_TRUE(expected->isChecked()) << areas[i].toolTip.toStdString();
    }
}

TEST_F(SnowDialog, ApplicaHandsBackAndCloses) {
    record.QuotaSlm = 750;
    sovrcar_neve d(record, prompter);
    QSignalSpy accepted(&d, &QDialog::accepted);
    d.Option2->click();
    d.Text7->setText(QStringLiteral("200"));
    d.Option7->click();
    d.Option4->click();
    d.Command1->click();
    ASSERT_EQ(accepted.count(), 1);
    EXPECT_EQ(d.handBack.formula, QStringLiteral("0,80·[1.00]·1,00·1,00 (daN/mq)"));
    EXPECT_EQ(d.handBack.value, QStringLiteral("80,00"));
    EXPECT_EQ(d.handBack.hslm, QStringLiteral("200"));
    EXPECT_EQ(d.handBack.zona, QStringLiteral("II"));
    EXPECT_EQ(d.handBack.mu, QStringLiteral("0,80"));
    EXPECT_EQ(d.handBack.ce, QStringLiteral("1,00"));
    EXPECT_EQ(d.handBack.ct, QStringLiteral("1,00"));
    EXPECT_EQ(d.handBack.nFalde, 2);
    EXPECT_EQ(d.handBack.parapetto, 1);
    EXPECT_EQ(record.QuotaSlm, 200.0f);
    EXPECT_EQ(record.NeveAttiva, 1);
}

TEST_F(SnowDialog, ApplicaRefusesAnotherAltitudeWhileWindIsIncluded) {
    record.VentoAttivo = 1;
    record.QuotaSlm = 800;
    sovrcar_neve d(record, prompter);
    QSignalSpy accepted(&d, &QDialog::accepted);
    prompter.answerMessage();
    d.Command1->click();
    EXPECT_EQ(accepted.count(), 0);
    ASSERT_EQ(prompter.shown().size(), 1);
    const auto& shown = prompter.shown().first();
    EXPECT_EQ(shown.title, QStringLiteral("Errore Altezza Livello Mare"));
    EXPECT_EQ(shown.style, platform::vbOKOnly | platform::vbCritical);
    EXPECT_EQ(shown.text,
              QStringLiteral("Impossibile Procedere, l'Altezza sul Livello del mare indicata per "
                             "il calcolo dell'azione del vento è diversa da quella indicata per "
                             "l'azione della neve.\nHsl(vento) = 800,00"));
    EXPECT_EQ(d.Text7->selectedText(), QStringLiteral("750"));
    EXPECT_EQ(record.QuotaSlm, 800.0f);
    EXPECT_EQ(record.NeveAttiva, 0);
    EXPECT_EQ(prompter.beeps(), 1);

    d.Text7->setText(QStringLiteral("800"));
    d.Command1->click();
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(record.NeveAttiva, 1);
}

TEST_F(SnowDialog, ApplicaRefusesAnAltitudeTheFieldRefused) {
    sovrcar_neve d(record, prompter);
    QSignalSpy accepted(&d, &QDialog::accepted);
    prompter.answerMessage().answerMessage().answerMessage();
    d.Text7->setText(QStringLiteral("-5"));
    d.Command1->click();
    d.Text7->setText(QString());
    d.Command1->click();
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_EQ(record.QuotaSlm, 750.0f);
    EXPECT_EQ(record.NeveAttiva, 0);
    EXPECT_EQ(prompter.messages().value(1),
              QStringLiteral("Inserire Altezza Livello Mare : valore positivo"));
    EXPECT_EQ(prompter.messages().value(2),
              QStringLiteral("Inserire Altezza Livello Mare con formato numerico corretto."));
}

TEST_F(SnowDialog, AnnullaHandsNothingBack) {
    sovrcar_neve d(record, prompter);
    QSignalSpy rejected(&d, &QDialog::rejected);
    d.Text7->setText(QStringLiteral("900"));
    d.Command2->click();
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_TRUE(d.handBack.formula.isEmpty());
    EXPECT_EQ(record.QuotaSlm, 750.0f);
    EXPECT_EQ(record.NeveAttiva, 0);
}
