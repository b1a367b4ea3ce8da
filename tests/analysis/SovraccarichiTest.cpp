#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "Prompter.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "Twips.h"
#include "sovraccarichi.h"
#include "sovrcar_neve.h"
#include "sovrcar_vento.h"

using platform::ScriptedPrompter;

namespace {

// Records what the window asks the desktop to open and answers with a chosen code.
class FakeShell : public platform::Shell {
public:
    int open(const QString& target, const QString& workdir, int showCmd) override {
        calls << target;
        lastShow = showCmd;
        lastDir = workdir;
        return result;
    }
    QStringList calls;
    QString lastDir;
    int lastShow = -1;
    int result = platform::SHELL_OK;
};

// gtest's main starts no application: one lives for the whole run.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[32] = "analysis_window_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

const QString kMsgCarico = QStringLiteral("Inserire Carico Con formato numerico corretto.");
const QString kMsgValoreLD =
    QStringLiteral("Inserire Valore Carico con formato numerico corretto.");

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
        w = std::make_unique<sovraccarichi>(settings, prompter, shell);
    }
    void TearDown() override {
        if (w) w->ModifDatiCarichi = 0;  // closing in teardown asks nothing
        EXPECT_TRUE(prompter.allAnswered()) << prompter.pending() << " answers left";
    }

    // Types into a field as the user does (key presses, then the change).
    void type(QLineEdit* e, const QString& text) {
        {
            const QSignalBlocker quiet(e);
            e->clear();
        }
        QTest::keyClicks(e, text);
    }

    // Pictures of the base colour a field shows.
    static QColor base(QWidget* e) { return e->palette().color(QPalette::Base); }
    static QColor face() { return QApplication::palette().color(QPalette::Button); }

    platform::MemorySettingsStore settings;
    ScriptedPrompter prompter;
    FakeShell shell;
    std::unique_ptr<sovraccarichi> w;
};

// --- Start-up --------------------------------------------------------------------------

TEST_F(WindowTest, StartUpShowsBannerCalculatedLoadsAndEmptyTotals) {
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Tessaro D.M. 14/01/2008"));
    EXPECT_EQ(w->txtCarNeve->text(), QStringLiteral("140,00"));
    EXPECT_EQ(w->txtCarVento->text(), QStringLiteral("44,49"));
    EXPECT_TRUE(w->Text6->text().contains(QStringLiteral("0,80")));
    EXPECT_TRUE(w->Text15->text().endsWith(QStringLiteral(" (daN/mq)")));
    EXPECT_FALSE(w->CheckNeve->isChecked());
    EXPECT_FALSE(w->CheckVento->isChecked());
    EXPECT_EQ(w->dati.NeveAttiva, 0);
    EXPECT_EQ(w->dati.CaricoNeve, 0.0f);

    EXPECT_TRUE(w->bannerShown());
    const QString pane = w->RichTextBox1->toPlainText();
    EXPECT_TRUE(pane.contains(QStringLiteral("Software Free")));
    EXPECT_TRUE(pane.contains(QStringLiteral("ANALISI DEI CARICHI  D.M.14/01/2008 Vers. 1. 0")));
    EXPECT_TRUE(pane.contains(QStringLiteral("Vortanel")));
    EXPECT_TRUE(pane.contains(w->webAddress));
    EXPECT_TRUE(w->webAddress.contains(QStringLiteral("example.")));
    EXPECT_EQ(w->RichTextBox1->viewport()->cursor().shape(), Qt::PointingHandCursor);

    EXPECT_EQ(w->txtValPerm->text(), QString());
    EXPECT_EQ(w->txtValLD->text(), QString());
    EXPECT_EQ(w->Text11->text(), QString());
    EXPECT_EQ(w->categoriaScelta(), 0);
    EXPECT_EQ(w->Combo1->currentIndex(), -1);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    EXPECT_EQ(w->PercorsoAnalisi, QStringLiteral("Senza Nome"));
    EXPECT_EQ(w->fileNameField->text(), QStringLiteral("Senza Nome"));
    EXPECT_TRUE(w->AnteprimaStampa);
    EXPECT_TRUE(prompter.shown().isEmpty());
}

TEST_F(WindowTest, StartUpFlagsAndEnabling) {
    const Qt::WindowFlags f = w->windowFlags();
    EXPECT_TRUE(f.testFlag(Qt::Tool));
    EXPECT_FALSE(f.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(f.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowCloseButtonHint));

    for (int i = 1; i <= 13; ++i) {
        EXPECT_FALSE(w->txtPerm[i]->isEnabled()) << i;
        EXPECT_EQ(base(w->txtPerm[i]), face()) << i;
    }
    EXPECT_EQ(w->txtPerm[1]->text(), QStringLiteral("30,00"));
    EXPECT_EQ(w->txtPerm[10]->text(), QStringLiteral("40,00"));
    EXPECT_EQ(w->txtPerm[11]->text(), QString());
    EXPECT_FALSE(w->Combo1->isEnabled());
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(w->txtDescrPerm[k]->isEnabled());
    for (int i = 1; i <= 5; ++i) {
        EXPECT_FALSE(w->txtVLD[i]->isEnabled());
        EXPECT_FALSE(w->txtLD[i]->isEnabled());
        EXPECT_EQ(w->txtVLD[i]->text(), QStringLiteral("0,00"));
    }
    for (int i = 1; i <= 16; ++i) {
        EXPECT_FALSE(w->Option1[i]->isChecked());
        EXPECT_FALSE(w->Text2[i]->isEnabled());
        EXPECT_FALSE(w->Text3[i]->isEnabled());
    }
    EXPECT_FALSE(w->Text14->isEnabled());
    for (QWidget* e : {static_cast<QWidget*>(w->Text6), static_cast<QWidget*>(w->txtCarNeve),
                       static_cast<QWidget*>(w->Text15), static_cast<QWidget*>(w->txtCarVento),
                       static_cast<QWidget*>(w->Command7), static_cast<QWidget*>(w->Command8)})
        EXPECT_FALSE(e->isEnabled());
    EXPECT_EQ(w->Command7->toolTip(), QStringLiteral("Calcola Carico da Neve"));
    EXPECT_EQ(w->Command8->toolTip(), QStringLiteral("Calcola Carico Vento"));
    EXPECT_EQ(w->txtVPP->text(), QStringLiteral("0,00"));
    EXPECT_EQ(w->txtVPP->maxLength(), 6);
    EXPECT_EQ(w->txtPP->maxLength(), 40);
}

TEST_F(WindowTest, StartUpParameterSetsMatchTheShownLoads) {
    // The parameters stored with a load are those it was computed with.
    EXPECT_EQ(w->parNeve.zona, QStringLiteral("III"));
    EXPECT_EQ(w->parNeve.hslm, QStringLiteral("750"));
    EXPECT_EQ(w->parNeve.mu, QStringLiteral("0,80"));
    EXPECT_EQ(w->parNeve.parapettoText(), QStringLiteral("NO"));
    EXPECT_EQ(w->parVento.zona, QStringLiteral("4"));
    EXPECT_EQ(w->parVento.classe, QStringLiteral("B"));
    EXPECT_EQ(w->parVento.distanza, QStringLiteral("50"));
    EXPECT_EQ(w->parVento.altezza, QStringLiteral("6"));
    EXPECT_EQ(w->parVento.categoria, QStringLiteral("IV"));
    EXPECT_EQ(w->parVento.vb, QStringLiteral("33"));
    EXPECT_TRUE(w->parVento.ce.startsWith(QStringLiteral("1,6342")))
        << w->parVento.ce.toStdString();

    w->CheckNeve->setChecked(true);
    w->CheckVento->setChecked(true);
    const DatiAnalisi& d = w->dati;
    EXPECT_EQ(d.NeveAttiva, 1);
    EXPECT_FLOAT_EQ(d.CaricoNeve, 140.0f);
    EXPECT_EQ(d.ZonaNeve, QStringLiteral("III"));
    EXPECT_FLOAT_EQ(d.MuNeve, 0.8f);
    EXPECT_FLOAT_EQ(d.QuotaSlm, 750.0f);
    EXPECT_EQ(d.FormulaNeve, w->Text6->text());
    EXPECT_EQ(d.VentoAttivo, 1);
    EXPECT_FLOAT_EQ(d.CaricoVento, 44.49f);
    EXPECT_EQ(d.CategoriaEsposizione, QStringLiteral("IV "));
    EXPECT_EQ(d.ClasseRugosita, QStringLiteral("B"));
    EXPECT_FLOAT_EQ(d.VbVento, 33.0f);
    EXPECT_NEAR(d.CeVento, 1.634212f, 1e-5);
    EXPECT_EQ(w->ModifDatiCarichi, 1);
}

// --- Non-structural permanent rows -----------------------------------------------------

TEST_F(WindowTest, PermanentRowsSumTickedNumericValues) {
    w->chkPerm[1]->setChecked(true);
    w->chkPerm[2]->setChecked(true);
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("80,00"));
    EXPECT_TRUE(w->txtPerm[1]->isEnabled());
    EXPECT_EQ(base(w->txtPerm[1]), QColor(Qt::white));
    EXPECT_EQ(w->ModifDatiCarichi, 1);

    w->chkPerm[1]->setChecked(false);
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("50,00"));
    EXPECT_FALSE(w->txtPerm[1]->isEnabled());
    EXPECT_EQ(base(w->txtPerm[1]), face());
    // The record keeps the row's last value and caption, marked inactive.
    EXPECT_EQ(w->dati.PermAttivo[1], 0.0f);
    EXPECT_FLOAT_EQ(w->dati.PermValore[1], 30.0f);
    EXPECT_TRUE(w->dati.PermDescr[1].startsWith(QStringLiteral("Intonaco  (1,5cm)")));
    EXPECT_FLOAT_EQ(w->dati.TotPermanenti, 50.0f);
    EXPECT_FLOAT_EQ(w->dati.PermValore[2], 50.0f);
}

TEST_F(WindowTest, ClickingACaptionTogglesItsRow) {
    QTest::mouseClick(w->lblPerm[3], Qt::LeftButton);
    EXPECT_TRUE(w->chkPerm[3]->isChecked());
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("10,00"));
    QTest::mouseClick(w->lblPerm[3], Qt::LeftButton);
    EXPECT_FALSE(w->chkPerm[3]->isChecked());
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("0,00"));
}

TEST_F(WindowTest, PartitionRangeWritesRowTenWithoutMarkingChanges) {
    w->chkPerm[10]->setChecked(true);
    EXPECT_TRUE(w->Combo1->isEnabled());
    EXPECT_EQ(base(w->Combo1), QColor(Qt::white));
    w->ModifDatiCarichi = 0;
    w->Combo1->setCurrentIndex(2);
    EXPECT_EQ(w->txtPerm[10]->text(), QStringLiteral("120,00"));
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("120,00"));
    EXPECT_EQ(w->dati.PermDescr[10], QStringLiteral("Incidenza Tramezzi 2.00 < P/ml <= 3.00 KN/m"));
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    // The free rows store their own descriptions.
    prompter.answerMessage();  // its empty value is refused until typed
    w->chkPerm[12]->setChecked(true);
    EXPECT_EQ(prompter.messages(), QStringList{kMsgCarico});
    EXPECT_TRUE(w->txtDescrPerm[2]->isEnabled());
    EXPECT_EQ(base(w->txtDescrPerm[2]), QColor(Qt::white));
    type(w->txtDescrPerm[2], QStringLiteral("Massetto alleggerito"));
    type(w->txtPerm[12], QStringLiteral("45"));
    EXPECT_EQ(w->dati.PermDescr[12], QStringLiteral("Massetto alleggerito"));
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("165,00"));
}

TEST_F(WindowTest, EmptiedValueIsSkippedAndRefusedKeepingTheRecord) {
    w->chkPerm[1]->setChecked(true);
    w->chkPerm[2]->setChecked(true);
    const float before = w->dati.TotPermanenti;
    prompter.answerMessage(platform::vbOK);
    w->txtPerm[2]->clear();
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("30,00"));
    ASSERT_EQ(prompter.messages(), QStringList{kMsgCarico});
    EXPECT_EQ(prompter.beeps(), 1);
    EXPECT_EQ(prompter.shown().first().style, platform::vbOKOnly);
    // The next edit elsewhere brings the field to mend into view.
    w->SSTab1->setCurrentIndex(1);
    prompter.answerMessage();
    w->chkLD[1]->setChecked(true);
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(prompter.messages().size(), 2);
    // The record is left as it was at the last good refresh.
    EXPECT_FLOAT_EQ(w->dati.TotPermanenti, before);
    EXPECT_FLOAT_EQ(w->dati.PermValore[2], 50.0f);
}

TEST_F(WindowTest, ValidationStopsAtTheFirstBadFieldInOrder) {
    w->chkPerm[4]->setChecked(true);
    w->chkLD[2]->setChecked(true);
    QTest::mouseClick(w->Option1[3], Qt::LeftButton);
    prompter.answerMessage();
    w->Text3[3]->setText(QStringLiteral("x"));
    EXPECT_EQ(prompter.messages(), QStringList{kMsgCarico});
    EXPECT_EQ(w->Text3[3]->selectedText(), QStringLiteral("x"));
    // A bad permanent row is reported before the category, and only once.
    prompter.answerMessage();
    w->txtPerm[4]->setText(QStringLiteral("y"));
    EXPECT_EQ(prompter.messages().size(), 2);
    EXPECT_EQ(w->txtPerm[4]->selectedText(), QStringLiteral("y"));
    EXPECT_FLOAT_EQ(w->dati.PermValore[4], 25.0f);
    // Mended, the record takes every value.
    prompter.answerMessage();
    w->txtPerm[4]->setText(QStringLiteral("20"));
    w->Text3[3]->setText(QStringLiteral("250"));
    EXPECT_EQ(w->dati.Categoria, 3);
    EXPECT_FLOAT_EQ(w->dati.CaricoBreve[1], 300.0f);
    EXPECT_FLOAT_EQ(w->dati.CaricoBreve[2], 250.0f);
    EXPECT_FLOAT_EQ(w->dati.PermValore[4], 20.0f);
    EXPECT_EQ(w->dati.LDAttivo[2], 1.0f);
}

// --- Long-duration rows -----------------------------------------------------------------

TEST_F(WindowTest, LongDurationTotalFormatsAndMessages) {
    w->txtVLD[1]->setText(QStringLiteral("150"));
    w->chkLD[1]->setChecked(true);
    EXPECT_EQ(w->txtValLD->text(), QStringLiteral("150"));
    EXPECT_TRUE(w->txtLD[1]->isEnabled());
    EXPECT_EQ(base(w->txtLD[1]), QColor(Qt::white));
    w->txtVLD[1]->setFocus();
    w->txtVLD[1]->end(false);
    QTest::keyClick(w->txtVLD[1], Qt::Key_5);
    EXPECT_EQ(w->txtValLD->text(), QStringLiteral("1505,00"));
    w->chkLD[2]->setChecked(true);
    EXPECT_EQ(w->txtValLD->text(), QStringLiteral("1505"));
    type(w->txtVLD[2], QStringLiteral("12.5"));
    EXPECT_EQ(w->txtVLD[2]->text(), QStringLiteral("12,5"));
    EXPECT_EQ(w->txtValLD->text(), QStringLiteral("1517,50"));
    type(w->txtLD[2], QStringLiteral("Scaffalature"));
    EXPECT_EQ(w->dati.LDDescr[2], QStringLiteral("Scaffalature"));
    EXPECT_FLOAT_EQ(w->dati.TotLungaDurata, 1517.5f);

    // A value that is not a number: the row's own message, then the refresh's.
    prompter.answerMessage().answerMessage();
    w->txtVLD[2]->setText(QStringLiteral("abc"));
    EXPECT_EQ(prompter.messages(), (QStringList{kMsgValoreLD, kMsgCarico}));
    EXPECT_EQ(w->txtValLD->text(), QStringLiteral("1505,00"));
}

// --- Use categories ---------------------------------------------------------------------

TEST_F(WindowTest, CategoryChoiceEnablesItsFieldsAndFillsTotals) {
    struct Case {
        int cat;
        const char* rip;
        const char* conc;
    };
    for (const Case& c : {Case{1, "200", "200"}, Case{10, "0,00", "0,00"}, Case{11, "250", "100"},
                          Case{13, "50", "120"}, Case{16, "0,00", "0,00"}}) {
        QTest::mouseClick(w->Option1[c.cat], Qt::LeftButton);
        EXPECT_EQ(w->categoriaScelta(), c.cat);
        EXPECT_EQ(w->Text11->text(), QString::fromUtf8(c.rip)) << c.cat;
        EXPECT_EQ(w->Text12->text(), QString::fromUtf8(c.conc)) << c.cat;
        for (int k = 1; k <= 16; ++k) {
            EXPECT_EQ(w->Text2[k]->isEnabled(), k == c.cat) << c.cat << " " << k;
            EXPECT_EQ(w->Text3[k]->isEnabled(), k == c.cat) << c.cat << " " << k;
        }
        EXPECT_EQ(w->Text14->isEnabled(), c.cat == 16);
        EXPECT_EQ(base(w->Text14), c.cat == 16 ? QColor(Qt::white) : face());
    }
    type(w->Text14, QStringLiteral("Terrazzo condominiale"));
    type(w->Text2[16], QStringLiteral("400"));
    EXPECT_EQ(w->Text11->text(), QStringLiteral("400"));
    EXPECT_EQ(w->dati.DescrCategoria, QStringLiteral("Terrazzo condominiale"));
    EXPECT_FLOAT_EQ(w->dati.TotBreveRipartito, 400.0f);
    EXPECT_EQ(w->ModifDatiCarichi, 1);
}

TEST_F(WindowTest, DoubleClickUnchoosesCategory) {
    QTest::mouseClick(w->Option1[1], Qt::LeftButton);
    EXPECT_EQ(w->dati.Categoria, 1);
    EXPECT_TRUE(w->dati.DescrCategoria.startsWith(QStringLiteral("Ambienti ad uso residenziale")));
    w->ModifDatiCarichi = 0;
    QTest::mouseDClick(w->Option1[1], Qt::LeftButton);
    EXPECT_EQ(w->categoriaScelta(), 0);
    EXPECT_FALSE(w->Text2[1]->isEnabled());
    EXPECT_EQ(w->Text11->text(), QString());
    EXPECT_EQ(w->Text12->text(), QString());
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    // The next refresh stores zero totals; the category number stays.
    w->ScriviAnalisi();
    EXPECT_EQ(w->Text11->text(), QStringLiteral("0"));
    EXPECT_EQ(w->Text12->text(), QStringLiteral("0"));
    EXPECT_EQ(w->dati.TotBreveRipartito, 0.0f);
    EXPECT_EQ(w->dati.TotBreveConcentrato, 0.0f);
    EXPECT_EQ(w->dati.Categoria, 1);
    // A plain click chooses again.
    QTest::mouseClick(w->Option1[1], Qt::LeftButton);
    EXPECT_EQ(w->categoriaScelta(), 1);
}

TEST_F(WindowTest, NonNumericCategoryValueShowsZeroTotal) {
    QTest::mouseClick(w->Option1[2], Qt::LeftButton);
    prompter.answerMessage();
    type(w->Text2[2], QStringLiteral("-"));
    EXPECT_EQ(w->Text11->text(), QStringLiteral("0,00"));
    EXPECT_EQ(prompter.messages().last(), kMsgCarico);
}

// --- Keys and the change flag -----------------------------------------------------------

TEST_F(WindowTest, DotBecomesCommaInValueFieldsAndMarksChanges) {
    w->chkPerm[5]->setChecked(true);
    w->ModifDatiCarichi = 0;
    type(w->txtPerm[5], QStringLiteral("42.5"));
    EXPECT_EQ(w->txtPerm[5]->text(), QStringLiteral("42,5"));
    EXPECT_EQ(w->ModifDatiCarichi, 1);
    EXPECT_FLOAT_EQ(w->dati.PermValore[5], 42.5f);
    type(w->txtVPP, QStringLiteral("3.25"));
    EXPECT_EQ(w->txtVPP->text(), QStringLiteral("3,25"));
    EXPECT_FLOAT_EQ(w->dati.PesoProprio, 3.25f);
    // Descriptions keep their dots.
    type(w->txtPP, QStringLiteral("Solaio h.24"));
    EXPECT_EQ(w->dati.DescrPesoProprio, QStringLiteral("Solaio h.24"));
}

TEST_F(WindowTest, ChangesFromCodeDoNotMarkValueEdits) {
    w->chkPerm[1]->setChecked(true);
    QTest::mouseClick(w->Option1[4], Qt::LeftButton);
    w->ModifDatiCarichi = 0;
    w->txtPerm[1]->setText(QStringLiteral("35,00"));
    w->Text2[4]->setText(QStringLiteral("310"));
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("35,00"));
    EXPECT_EQ(w->Text11->text(), QStringLiteral("310"));
    w->Text14->setText(QStringLiteral("x"));
    EXPECT_EQ(w->ModifDatiCarichi, 1);
}

// --- Snow and wind rows -----------------------------------------------------------------

TEST_F(WindowTest, SnowAndWindRowsEnableTheirFields) {
    w->CheckNeve->setChecked(true);
    EXPECT_TRUE(w->Text6->isEnabled());
    EXPECT_EQ(base(w->Text6), QColor(Qt::white));
    EXPECT_TRUE(w->Command7->isEnabled());
    EXPECT_FALSE(w->txtCarNeve->isEnabled());
    EXPECT_FALSE(w->Text2[11]->isEnabled());  // categories stay independent
    w->CheckNeve->setChecked(false);
    EXPECT_FALSE(w->Text6->isEnabled());
    EXPECT_EQ(base(w->Text6), face());
    EXPECT_EQ(w->dati.NeveAttiva, 0);
    EXPECT_EQ(w->dati.CaricoNeve, 0.0f);

    w->CheckVento->setChecked(true);
    EXPECT_TRUE(w->Command8->isEnabled());
    w->Text15->setText(QStringLiteral("scritta a mano"));
    w->ScriviAnalisi();
    EXPECT_EQ(w->dati.FormulaVento, QStringLiteral("scritta a mano"));
    w->txtCarVento->setText(QStringLiteral("n.d."));
    w->ScriviAnalisi();
    EXPECT_EQ(w->dati.CaricoVento, 0.0f);
}

// Fills the calculator the window shows and presses one of its buttons.
template <class Dialog>
std::function<int(QDialog&)> pressing(std::function<void(Dialog&)> fill, bool apply = true) {
    return [fill, apply](QDialog& d) {
        auto* dlg = dynamic_cast<Dialog*>(&d);
        if (!dlg) {
            ADD_FAILURE() << "unexpected dialog";
            return int(QDialog::Rejected);
        }
        fill(*dlg);
        (apply ? dlg->Command1 : dlg->Command2)->click();
        return dlg->result();
    };
}

TEST_F(WindowTest, SnowCalculatorHandsBackAndWindFollowsTheAltitude) {
    w->CheckNeve->setChecked(true);
    w->ModifDatiCarichi = 0;
    int shown = 0;
    w->showModal = pressing<sovrcar_neve>([&](sovrcar_neve& d) {
        ++shown;
        EXPECT_EQ(d.Text7->text(), QStringLiteral("750"));
        EXPECT_TRUE(d.Option3->isChecked());
        EXPECT_EQ(d.Text9->text(), QStringLiteral("0"));
        d.Option2->setChecked(true);
        d.Text7->setText(QStringLiteral("1000"));
        d.Option4->setChecked(true);
    });
    w->Command7_Click();
    EXPECT_EQ(shown, 1);
    EXPECT_FLOAT_EQ(w->dati.QuotaSlm, 1000.0f);
    EXPECT_EQ(w->parNeve.zona, QStringLiteral("II"));
    EXPECT_EQ(w->parNeve.hslm, QStringLiteral("1000"));
    EXPECT_EQ(w->parNeve.parapettoText(), QStringLiteral("SI"));
    EXPECT_NE(w->txtCarNeve->text(), QStringLiteral("140,00"));
    EXPECT_EQ(w->dati.NeveAttiva, 1);
    EXPECT_EQ(w->dati.ZonaNeve, QStringLiteral("II"));
    EXPECT_EQ(w->dati.Parapetto, 1);
    EXPECT_EQ(w->ModifDatiCarichi, 0);

    // The wind load and its altitude-dependent parameters follow the new altitude.
    EXPECT_NE(w->txtCarVento->text(), QStringLiteral("44,49"));
    EXPECT_FALSE(w->Text15->text().endsWith(QStringLiteral("(daN/mq)")));
    EXPECT_NE(w->parVento.vb, QStringLiteral("33"));
    sovrcar_vento check(w->dati, prompter);
    check.OptZona[4]->setChecked(true);
    check.OptClasse[2]->setChecked(true);
    check.Text7->setText(QStringLiteral("1000"));
    check.Text4->setText(QStringLiteral("50"));
    check.Text3->setText(QStringLiteral("6"));
    check.Calcola_P();
    EXPECT_EQ(w->txtCarVento->text(), check.Text1->text());
    EXPECT_EQ(w->parVento.vb, check.Text10->text());
    EXPECT_EQ(w->parVento.categoria, check.Text11->text());

    // Opening again starts from what was handed back, with the slope at 0.
    w->showModal = pressing<sovrcar_neve>(
        [&](sovrcar_neve& d) {
            EXPECT_EQ(d.Text7->text(), QStringLiteral("1000"));
            EXPECT_TRUE(d.Option2->isChecked());
            EXPECT_TRUE(d.Option4->isChecked());
            EXPECT_EQ(d.Text9->text(), QStringLiteral("0"));
        },
        false);
    const QString vento = w->txtCarVento->text();
    w->Command7_Click();
    EXPECT_EQ(w->txtCarVento->text(), vento);
}

TEST_F(WindowTest, SnowCalculatorRefusesAnotherAltitudeWhileWindIsIncluded) {
    w->CheckNeve->setChecked(true);
    w->CheckVento->setChecked(true);
    const QString neve = w->txtCarNeve->text();
    prompter.answerMessage();
    w->showModal = [](QDialog& d) {
        auto& dlg = dynamic_cast<sovrcar_neve&>(d);
        dlg.Text7->setText(QStringLiteral("900"));
        dlg.Command1->click();  // refused: stays open
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        dlg.Command2->click();
        return dlg.result();
    };
    w->Command7_Click();
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages().first().contains(QStringLiteral("Hsl(vento) = 750,00")));
    EXPECT_FLOAT_EQ(w->dati.QuotaSlm, 750.0f);
    EXPECT_EQ(w->txtCarNeve->text(), neve);
}

TEST_F(WindowTest, WindCalculatorHandsBackAndSnowFollowsTheAltitude) {
    w->CheckVento->setChecked(true);
    w->showModal = pressing<sovrcar_vento>([](sovrcar_vento& d) {
        EXPECT_TRUE(d.OptZona[4]->isChecked());
        EXPECT_TRUE(d.OptClasse[2]->isChecked());
        EXPECT_EQ(d.Text3->text(), QStringLiteral("6"));
        d.OptZona[1]->setChecked(true);
        d.Text7->setText(QStringLiteral("1200"));
        d.Calcola_P();
    });
    w->Command8_Click();
    EXPECT_FLOAT_EQ(w->dati.QuotaSlm, 1200.0f);
    EXPECT_EQ(w->parVento.zona, QStringLiteral("1"));
    EXPECT_EQ(w->parNeve.hslm, QStringLiteral("1200"));
    EXPECT_EQ(w->dati.ZonaVento, 1);
    EXPECT_EQ(w->dati.VentoAttivo, 1);
    EXPECT_NE(w->txtCarVento->text(), QStringLiteral("44,49"));
    // Snow at 1200 m in zone III: 0,8 · 51 · [1 + (1200/481)²].
    EXPECT_EQ(w->txtCarNeve->text(), QStringLiteral("294,74"));
    EXPECT_TRUE(w->Text6->text().contains(QStringLiteral("1200/481")));
    EXPECT_EQ(w->parNeve.mu, QStringLiteral("0,80"));
}

TEST_F(WindowTest, CancelledCalculatorChangesNothing) {
    w->CheckVento->setChecked(true);
    const QString f = w->Text15->text();
    const auto par = w->parVento;
    w->showModal =
        pressing<sovrcar_vento>([](sovrcar_vento& d) { d.Text7->setText("1500"); }, false);
    w->Command8_Click();
    EXPECT_EQ(w->Text15->text(), f);
    EXPECT_EQ(w->txtCarVento->text(), QStringLiteral("44,49"));
    EXPECT_EQ(w->parVento.zona, par.zona);
    EXPECT_FLOAT_EQ(w->dati.QuotaSlm, 750.0f);
}

TEST_F(WindowTest, ParapetTextAndNumberAreOneValue) {
    ParametriNeve p;
    struct Case {
        const char* text;
        int value;
        const char* shown;
    };
    for (const Case& c : {Case{"SI", 1, "SI"}, Case{"NO", 0, "NO"}, Case{"1", 1, "SI"},
                          Case{"0", 0, "NO"}, Case{"2", 0, "NO"}, Case{"boh", 0, "NO"}}) {
        p.setParapettoText(QString::fromUtf8(c.text));
        EXPECT_EQ(p.parapetto, c.value) << c.text;
        EXPECT_EQ(p.parapettoText(), QString::fromUtf8(c.shown)) << c.text;
    }
}

// --- Closing ---------------------------------------------------------------------------

TEST_F(WindowTest, ClosingWithoutChangesSavesPlacementAndCloses) {
    w->show();
    EXPECT_TRUE(w->close());
    for (const char* key : {"Top", "Left", "Width", "Height"})
        EXPECT_TRUE(settings.contains("Tessaro", "Sovraccarichi", key)) << key;
    EXPECT_EQ(settings.get("Tessaro", "Sovraccarichi", "Width"), QStringLiteral("13125"));
    EXPECT_EQ(settings.get("Tessaro", "Sovraccarichi", "Height"), QStringLiteral("9540"));
    EXPECT_TRUE(prompter.shown().isEmpty());
}

TEST_F(WindowTest, ClosingWithChangesAsks) {
    w->show();
    w->chkPerm[1]->setChecked(true);
    const QString question = QStringLiteral(
        "Attenzione!\nL'Analisi dei Carichi non è stata registrata. \nSalvare le modifiche "
        "apportate prima di Uscire?");

    prompter.answerMessage(platform::vbCancel);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown()[0].text, question);
    EXPECT_EQ(prompter.shown()[0].title, QStringLiteral("Tessaro"));
    EXPECT_EQ(prompter.shown()[0].style, platform::vbYesNoCancel | platform::vbInformation);
    EXPECT_EQ(w->ModifDatiCarichi, 1);

    // Yes runs "Salva": a never saved analysis asks for a name; cancelling it keeps
    // the window open with its changes.
    prompter.answerMessage(platform::vbYes).answerSaveFile(std::nullopt);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(prompter.shown().last().kind, ScriptedPrompter::SaveFile);
    EXPECT_EQ(w->ModifDatiCarichi, 1);

    settings.remove("Tessaro", "Sovraccarichi", "Top");
    prompter.answerMessage(platform::vbNo);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    EXPECT_TRUE(settings.contains("Tessaro", "Sovraccarichi", "Top"));
}

// --- Settings and layout ---------------------------------------------------------------

TEST_F(WindowTest, EmptyStoreGivesDesignPlacement) {
    EXPECT_EQ(w->pos(), QPoint(platform::twipsToPx(120), platform::twipsToPx(1515)));
    EXPECT_EQ(w->size(), QSize(platform::twipsToPx(13125), platform::twipsToPx(9540)));
}

TEST_F(WindowTest, StoredPlacementIsRestoredKeyByKey) {
    struct Case {
        const char *top, *left, *width, *height;
        QRect expected;
    };
    const Case cases[] = {
        {"1500", "300", "15000", "10500", QRect(20, 100, 1000, 700)},
        {"", "600", "abc", "12000", QRect(40, 101, 875, 800)},
        {"1e12", "-", "16500", "", QRect(8, 101, 1100, 636)},
        // Off every screen: the design place; too small to use: a usable size.
        {"100000", "100000", "15", "15", QRect(8, 101, 240, 160)},
    };
    for (const Case& c : cases) {
        platform::MemorySettingsStore store;
        auto put = [&](const char* key, const char* v) {
            if (*v) store.save("Tessaro", "Sovraccarichi", key, QString::fromUtf8(v));
        };
        put("Top", c.top);
        put("Left", c.left);
        put("Width", c.width);
        put("Height", c.height);
        sovraccarichi win(store, prompter, shell);
        EXPECT_EQ(QRect(win.pos(), win.size()), c.expected) << c.top << " " << c.width;
    }
}

TEST_F(WindowTest, ResizeStretchesPaneAndBarAndRightAlignsButtons) {
    w->show();
    w->resize(1100, 760);
    QApplication::processEvents();
    const int W = w->outerWidthTwips(), H = w->outerHeightTwips();
    EXPECT_GE(W, 1100 * 15);
    auto tw = [](int px) { return px * 15; };
    EXPECT_NEAR(tw(w->RichTextBox1->width()), W - 5880 - 400, 15);
    EXPECT_NEAR(tw(w->RichTextBox1->height()), H - 120 - 585 - 700, 15);
    EXPECT_NEAR(tw(w->bottomBar->y()), 120 + tw(w->RichTextBox1->height()) + 100, 15);
    EXPECT_NEAR(tw(w->bottomBar->width()), W - 165 - 400, 15);
    EXPECT_NEAR(tw(w->bottomBar->width() - w->Command2->geometry().right() - 1), 100, 15);
    EXPECT_NEAR(tw(w->Command2->x() - w->Command6->geometry().right() - 1), 100, 15);
    EXPECT_NEAR(tw(w->Command6->x() - w->Command1->geometry().right() - 1), 100, 15);
    // The tab control keeps its design place.
    EXPECT_EQ(w->SSTab1->geometry(), QRect(11, 11, 357, 365));

    // Too small to lay out: the failing steps are skipped, nothing breaks.
    w->resize(60, 40);
    QApplication::processEvents();
    EXPECT_GT(w->RichTextBox1->height(), 0);
}

// --- Opening documents -----------------------------------------------------------------

TEST_F(WindowTest, MissingHelpFileIsReportedWithoutCallingTheShell) {
    w->helpFile = QStringLiteral("/nessuna/cartella/Tessaro DM2008.pdf");
    prompter.answerMessage();
    w->Command6->click();
    EXPECT_TRUE(shell.calls.isEmpty());
    EXPECT_EQ(prompter.messages(),
              QStringList{QStringLiteral("Il file specificato non esiste nell'Archivio Server.")});
    EXPECT_EQ(prompter.beeps(), 1);
}

TEST_F(WindowTest, HelpButtonOpensTheBuiltHelpDocument) {
    EXPECT_TRUE(w->helpFile.endsWith(QStringLiteral("/Tessaro DM2008.pdf")));
    EXPECT_TRUE(QFileInfo::exists(w->helpFile)) << w->helpFile.toStdString();
    w->Command6->click();
    EXPECT_EQ(shell.calls, QStringList{w->helpFile});
    EXPECT_EQ(shell.lastShow, platform::SW_SHOW);
    EXPECT_EQ(shell.lastDir, QCoreApplication::applicationDirPath());
}

TEST_F(WindowTest, ShellResultsGiveTheirMessages) {
    struct Case {
        int code;
        QString message;  // empty: none
    };
    const QString target = QStringLiteral("http://www.example.com/relazione.pdf");
    const Case cases[] = {
        {platform::SHELL_OK, {}},
        {33, {}},
        {2, QStringLiteral("File non trovato.")},
        {3, QStringLiteral("Percorso non trovato")},
        {5, QStringLiteral("Accesso negato")},
        {8, QStringLiteral("Memoria insufficiente per aprire il file")},
        {11, QStringLiteral("Invalid EXE file or error in EXE image")},
        {26, QStringLiteral("A sharing violation occurred")},
        {27, QStringLiteral("Incomplete or invalid file association")},
        {28, QStringLiteral("DDE Time out")},
        {29, QStringLiteral("DDE transaction failed")},
        {30, QStringLiteral("DDE busy")},
        {31,
         QStringLiteral(
             "Nessun Programma installato nel PC è dedicato ad aprire file con estensione .PDF")},
        {32, QStringLiteral("DLL not found")},
        {0, QStringLiteral("Errore non individuabile nell'apertura del File")},
        {17, QStringLiteral("Errore non individuabile nell'apertura del File")},
    };
    for (const Case& c : cases) {
        prompter.clear();
        prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
        if (!c.message.isEmpty()) prompter.answerMessage();
        shell.result = c.code;
        EXPECT_EQ(w->ApriDocumento(target), c.code);
        EXPECT_EQ(prompter.messages(), c.message.isEmpty() ? QStringList{} : QStringList{c.message})
            << c.code;
    }
    // Web and mail addresses are passed on without looking for a file.
    EXPECT_EQ(shell.calls.size(), int(std::size(cases)));
    shell.result = platform::SHELL_OK;
    w->ApriDocumento(QStringLiteral("mailto:ufficio@example.com"));
    EXPECT_EQ(shell.calls.last(), QStringLiteral("mailto:ufficio@example.com"));
}

TEST_F(WindowTest, BannerClickOpensTheWebAddress) {
    w->show();
    QTest::mouseClick(w->RichTextBox1->viewport(), Qt::LeftButton);
    EXPECT_EQ(shell.calls, QStringList{w->webAddress});
    // The first refresh puts the report in the banner's place: the pointer is the
    // default one and clicks open nothing.
    w->chkPerm[1]->setChecked(true);
    EXPECT_FALSE(w->bannerShown());
    EXPECT_EQ(w->RichTextBox1->viewport()->cursor().shape(), Qt::IBeamCursor);
    EXPECT_TRUE(
        w->RichTextBox1->toPlainText().startsWith(QStringLiteral("     ANALISI DEI CARICHI\n")));
    QTest::mouseClick(w->RichTextBox1->viewport(), Qt::LeftButton);
    EXPECT_EQ(shell.calls.size(), 1);
}

TEST_F(WindowTest, RefreshKeepsThePlaceInTheReport) {
    w->show();
    w->chkPerm[1]->setChecked(true);
    QApplication::processEvents();
    QScrollBar* h = w->RichTextBox1->horizontalScrollBar();
    ASSERT_GT(h->maximum(), 0);  // the report is wider than the pane
    h->setValue(h->maximum());
    w->txtVPP->setText(QStringLiteral("5"));
    QApplication::processEvents();
    EXPECT_GT(h->value(), 0);
    EXPECT_EQ(h->value(), h->maximum());
}

// --- Robustness ------------------------------------------------------------------------

TEST_F(WindowTest, AnyTextTypedLeavesTheWindowConsistent) {
    // Every field gets every awkward text; messages are answered as they come.
    const QStringList inputs = {QStringLiteral("9E+99"), QStringLiteral("-1E+38"),
                                QStringLiteral(",,"),    QStringLiteral("1.2.3"),
                                QStringLiteral("  "),    QStringLiteral("€%|\"")};
    w->chkPerm[1]->setChecked(true);
    w->chkLD[1]->setChecked(true);
    QTest::mouseClick(w->Option1[16], Qt::LeftButton);
    w->CheckNeve->setChecked(true);
    prompter.setOnUnexpected([](const QString&) {});  // every refusal answers itself
    QList<QLineEdit*> fields{w->txtPP,     w->txtVPP,    w->txtPerm[1], w->txtVLD[1], w->txtLD[1],
                             w->Text2[16], w->Text3[16], w->Text14,     w->Text6};
    for (QLineEdit* f : fields) {
        for (const QString& in : inputs) {
            f->setText(in);
            w->RegistraValori();
            // The totals are always numbers the record can hold.
            EXPECT_TRUE(std::isfinite(w->dati.TotPermanenti));
            EXPECT_TRUE(std::isfinite(w->dati.TotLungaDurata));
            EXPECT_TRUE(std::isfinite(w->dati.PesoProprio));
            EXPECT_TRUE(std::isfinite(w->dati.CaricoBreve[1]));
        }
    }
    // Values too large for the record never reach a total; the largest accepted
    // ones still add up to a finite total.
    w->txtPerm[1]->setText(QStringLiteral("9E+99"));
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("0,00"));
    w->txtPerm[1]->setText(QStringLiteral("3E+38"));
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("0,00"));
    // A parameter set damaged by hand leaves the record's numbers as they were.
    w->txtVPP->setText(QStringLiteral("0"));
    w->txtPerm[1]->setText(QStringLiteral("1"));
    w->txtVLD[1]->setText(QStringLiteral("1"));
    w->Text2[16]->setText(QStringLiteral("1"));
    w->Text3[16]->setText(QStringLiteral("1"));
    w->parNeve.hslm = QStringLiteral("alto");
    w->ScriviAnalisi();
    EXPECT_FLOAT_EQ(w->dati.QuotaSlm, 750.0f);
    w->chkPerm[2]->setChecked(true);
    w->chkPerm[3]->setChecked(true);
    for (int i = 1; i <= 3; ++i) w->txtPerm[i]->setText(QStringLiteral("2E+37"));
    EXPECT_TRUE(std::isfinite(w->dati.TotPermanenti));
    EXPECT_GT(w->dati.TotPermanenti, 5e37f);
}

}  // namespace

TEST_F(WindowTest, StampaPrintsTheRecordOfTheLastRefresh) {
    QList<DatiAnalisi> printed;
    w->stampa = [&](const DatiAnalisi& d) { printed << d; };
    w->chkPerm[1]->setChecked(true);
    w->Command1->click();
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0].PermAttivo[1], 1);
    EXPECT_FLOAT_EQ(printed[0].TotPermanenti, 30);
    EXPECT_EQ(w->ModifDatiCarichi, 1);  // printing saves nothing
}
