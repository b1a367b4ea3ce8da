// Saving and opening analyses through the window: dialogs, questions, the
// records as the file lays them out, and files written elsewhere.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

#include "AnalysisFile.h"
#include "Prompter.h"
#include "Report.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "sovraccarichi.h"

using platform::ScriptedPrompter;

namespace {

class NoShell : public platform::Shell {
public:
    int open(const QString&, const QString&, int) override { return platform::SHELL_OK; }
};

class QtApplication : public ::testing::Environment {
public:
    void SetUp() override { app = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { app.reset(); }

private:
    int argc = 1;
    char name[32] = "analysis_file_window_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};
[[maybe_unused]] auto* const qtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

const QString kDanneggiato =
    QStringLiteral("File danneggiato o file non contenente Tessaro Solaio.");

// Records as another program writes them: the field, then whatever its buffer
// held up to the record's end (readers never look there).
QByteArray textRecord(const QByteArray& cp1252, char rest = 'x') {
    QByteArray r;
    r.append(static_cast<char>(cp1252.size() & 0xFF));
    r.append(static_cast<char>(cp1252.size() >> 8));
    r.append(cp1252);
    r.append(QByteArray(128 - r.size(), rest));
    return r;
}
QByteArray intRecord(int v, char rest = 'x') {
    QByteArray r;
    r.append(static_cast<char>(v & 0xFF));
    r.append(static_cast<char>((v >> 8) & 0xFF));
    r.append(QByteArray(126, rest));
    return r;
}

// An analysis with every optional record, as the original program wrote it
// (version "1.0"); its last record ends right after its field.
QByteArray originalFile(const QByteArray& version = "1.0") {
    QByteArray f;
    f += textRecord(version);
    f += textRecord("Solaio in latero-cemento 20+4");
    f += textRecord("280,00");
    const char* values[14] = {"",      "30,00", "50,00", "10,00", "25,00", "40,00", "80,00",
                              "10,00", "30,00", "60,00", "99,00", "12,50", "7",     "5"};
    for (int j = 1; j <= 13; ++j) {
        const bool on = j == 1 || j == 10 || j == 11 || j == 13;
        f += intRecord(on ? 1 : 0);
        f += textRecord(values[j]);
        if (j == 10) f += intRecord(2);
        if (j == 11) f += textRecord("Massetto alleggerito");
        if (j == 13) f += textRecord("Controsoffitto");
    }
    f += intRecord(1);
    f += textRecord("Scaffalature");
    f += textRecord("150");
    for (int j = 2; j <= 5; ++j) {
        f += intRecord(0);
        f += textRecord("Non letto");
        f += textRecord("0,00");
    }
    f += intRecord(16);
    f += textRecord("Palestra");
    f += textRecord("500");
    f += textRecord("300");
    f += intRecord(1);
    f += textRecord(
        "0,80\xB7[1,00\xB7[1+(600/602)\xB2]]\xB7"
        "1,00\xB7"
        "1,00 (daN/mq)");
    f += textRecord("96,00");
    for (const char* t : {"600", "II", "0,8", "1", "1", "2", "SI"}) f += textRecord(t);
    f += intRecord(1);
    f += textRecord(
        "qb\xB7"
        "Ce\xB7"
        "Cp\xB7"
        "Cd = 52,31 (daN/mq)");
    f += textRecord("52,31");
    for (const char* t : {"3", "C", "10", "9", "III", "1,8", "1", "1", "0,4", "27"})
        f += textRecord(t);
    f.chop(128 - 4);  // "27" and its length
    return f;
}

class FileWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
        w = std::make_unique<sovraccarichi>(settings, prompter, shell);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        if (w) w->ModifDatiCarichi = 0;
        EXPECT_TRUE(prompter.allAnswered()) << prompter.pending() << " answers left";
    }
    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    static void write(const QString& p, const QByteArray& bytes) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray read(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void saveAs(const QString& p) {
        prompter.answerSaveFile(p);
        w->aprisalv(QStringLiteral("SalvaConNome"));
    }
    // Fills every kind of field of the window.
    void fillAnalysis() {
        w->txtPP->setText(QStringLiteral("Solaio in legno"));
        w->txtVPP->setText(QStringLiteral("120,5"));
        w->chkPerm[2]->setChecked(true);
        w->txtPerm[2]->setText(QStringLiteral("55"));
        w->chkPerm[10]->setChecked(true);
        w->Combo1->setCurrentIndex(3);
        w->txtPerm[10]->setText(QStringLiteral("171"));  // the entry's value wins on reading
        w->txtPerm[12]->setText(QStringLiteral("8,25"));
        w->chkPerm[12]->setChecked(true);
        w->txtDescrPerm[2]->setText(QStringLiteral("Pannelli fonoassorbenti"));
        w->txtPerm[5]->setText(QStringLiteral("41"));  // unticked: stored, not read back
        w->chkLD[3]->setChecked(true);
        w->txtLD[3]->setText(QStringLiteral("Archivio cartaceo"));
        w->txtVLD[3]->setText(QStringLiteral("250"));
        w->txtLD[4]->setText(QStringLiteral("Riga spenta"));
        QTest::mouseClick(w->Option1[16], Qt::LeftButton);
        w->Text14->setText(QStringLiteral("Sala prove"));
        w->Text2[16]->setText(QStringLiteral("350"));
        w->Text3[16]->setText(QStringLiteral("180"));
        w->CheckNeve->setChecked(true);
        w->parNeve.hslm = QStringLiteral("900");
        w->parNeve.zona = QStringLiteral("Im");
        w->parNeve.mu = QStringLiteral("0,8");
        w->parNeve.ce = QStringLiteral("0,9");
        w->parNeve.ct = QStringLiteral("1");
        w->parNeve.nFalde = QStringLiteral("2");
        w->parNeve.parapetto = 1;
        w->Text6->setText(QStringLiteral("formula neve scritta a mano"));
        w->txtCarNeve->setText(QStringLiteral("123,40"));
        w->CheckVento->setChecked(true);
        w->Text15->setText(QStringLiteral("qb·Ce·Cp·Cd = 61,00 (daN/mq)"));
        w->txtCarVento->setText(QStringLiteral("61,00"));
        w->parVento = {QStringLiteral("7"),  QStringLiteral("A"),   QStringLiteral("2"),
                       QStringLiteral("15"), QStringLiteral("II"),  QStringLiteral("2,1"),
                       QStringLiteral("1"),  QStringLiteral("1,1"), QStringLiteral("0,8"),
                       QStringLiteral("28")};
    }

    QTemporaryDir dir;
    platform::MemorySettingsStore settings;
    ScriptedPrompter prompter;
    NoShell shell;
    std::unique_ptr<sovraccarichi> w;
};

TEST_F(FileWindowTest, SaveThenOpenRestoresEveryFieldTickChoiceAndFlag) {
    fillAnalysis();
    const QString p = path(QStringLiteral("analisi.TSR"));
    saveAs(p);
    ASSERT_EQ(w->PercorsoAnalisi, p);
    EXPECT_EQ(w->fileNameField->text(), p);
    EXPECT_EQ(w->fileNameField->cursorPosition(), p.size());
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    // 70 records, and row 10's entry, row 12's description and category 16's text.
    EXPECT_EQ(read(p).size(), 73 * 128);

    sovraccarichi b(settings, prompter, shell);
    b.txtPerm[5]->setText(QStringLiteral("44"));
    b.txtLD[4]->setText(QStringLiteral("stays"));
    b.chkLD[1]->setChecked(true);  // the file unticks it
    prompter.answerOpenFile(p);
    b.aprisalv(QStringLiteral("Apri"));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();

    EXPECT_EQ(b.txtPP->text(), QStringLiteral("Solaio in legno"));
    EXPECT_EQ(b.txtVPP->text(), QStringLiteral("120,5"));
    for (int j = 1; j <= 13; ++j)
        EXPECT_EQ(b.chkPerm[j]->isChecked(), j == 2 || j == 10 || j == 12) << j;
    EXPECT_EQ(b.txtPerm[2]->text(), QStringLiteral("55"));
    EXPECT_EQ(b.Combo1->currentIndex(), 3);
    EXPECT_EQ(b.txtPerm[10]->text(), QStringLiteral("160,00"));
    EXPECT_EQ(b.txtPerm[12]->text(), QStringLiteral("8,25"));
    EXPECT_EQ(b.txtDescrPerm[2]->text(), QStringLiteral("Pannelli fonoassorbenti"));
    EXPECT_EQ(b.txtPerm[5]->text(), QStringLiteral("44"));  // unticked rows keep their fields
    EXPECT_EQ(b.txtLD[4]->text(), QStringLiteral("stays"));
    for (int j = 1; j <= 5; ++j) EXPECT_EQ(b.chkLD[j]->isChecked(), j == 3) << j;
    EXPECT_EQ(b.txtLD[3]->text(), QStringLiteral("Archivio cartaceo"));
    EXPECT_EQ(b.txtVLD[3]->text(), QStringLiteral("250"));
    EXPECT_EQ(b.categoriaScelta(), 16);
    EXPECT_EQ(b.Text14->text(), QStringLiteral("Sala prove"));
    EXPECT_EQ(b.Text2[16]->text(), QStringLiteral("350"));
    EXPECT_EQ(b.Text3[16]->text(), QStringLiteral("180"));
    EXPECT_EQ(b.Text11->text(), QStringLiteral("350"));
    EXPECT_EQ(b.Text12->text(), QStringLiteral("180"));
    EXPECT_TRUE(b.CheckNeve->isChecked());
    EXPECT_EQ(b.Text6->text(), QStringLiteral("formula neve scritta a mano"));
    EXPECT_EQ(b.txtCarNeve->text(), QStringLiteral("123,40"));
    EXPECT_EQ(b.parNeve.hslm, QStringLiteral("900"));
    EXPECT_EQ(b.parNeve.zona, QStringLiteral("Im"));
    EXPECT_EQ(b.parNeve.ce, QStringLiteral("0,9"));
    EXPECT_EQ(b.parNeve.nFalde, QStringLiteral("2"));
    EXPECT_EQ(b.parNeve.parapetto, 1);
    EXPECT_TRUE(b.CheckVento->isChecked());
    EXPECT_EQ(b.Text15->text(), QStringLiteral("qb·Ce·Cp·Cd = 61,00 (daN/mq)"));
    EXPECT_EQ(b.txtCarVento->text(), QStringLiteral("61,00"));
    EXPECT_EQ(b.parVento.zona, QStringLiteral("7"));
    EXPECT_EQ(b.parVento.classe, QStringLiteral("A"));
    EXPECT_EQ(b.parVento.distanza, QStringLiteral("2"));
    EXPECT_EQ(b.parVento.altezza, QStringLiteral("15"));
    EXPECT_EQ(b.parVento.categoria, QStringLiteral("II"));
    EXPECT_EQ(b.parVento.ce, QStringLiteral("2,1"));
    EXPECT_EQ(b.parVento.cd, QStringLiteral("1,1"));
    EXPECT_EQ(b.parVento.cp, QStringLiteral("0,8"));
    EXPECT_EQ(b.parVento.vb, QStringLiteral("28"));
    EXPECT_EQ(b.PercorsoAnalisi, p);
    EXPECT_EQ(b.fileNameField->text(), p);
    EXPECT_EQ(b.ModifDatiCarichi, 0);

    // Reading ends with a refresh: the record and the report hold the whole file,
    // the altitude of the file included.
    EXPECT_EQ(b.dati.VentoAttivo, 1);
    EXPECT_FLOAT_EQ(b.dati.QuotaSlm, 900.0f);
    EXPECT_FLOAT_EQ(b.dati.CaricoVento, 61.0f);
    EXPECT_EQ(b.dati.ZonaVento, 7);
    EXPECT_FLOAT_EQ(b.dati.TotPermanenti, 55 + 160 + 8.25f);
    EXPECT_FALSE(b.bannerShown());
    EXPECT_EQ(b.RichTextBox1->toPlainText().split('\n').mid(0, 5),
              reportLines(buildReport(b.dati)).mid(0, 5));

    // Saved again, the same bytes come out.
    const QString p2 = path(QStringLiteral("copia.TSR"));
    prompter.answerSaveFile(p2);
    b.aprisalv(QStringLiteral("SalvaConNome"));
    const QByteArray first = read(p), second = read(p2);
    ASSERT_EQ(second.size(), first.size());
    // Only what reading rightly leaves or replaces differs: the unticked rows' own
    // fields (row 5's value, long-duration row 4's description) and row 10's value,
    // which its entry sets.
    QList<int> differing;
    for (int k = 0; k < first.size() / 128; ++k)
        if (second.mid(k * 128, 128) != first.mid(k * 128, 128)) differing << k + 1;
    EXPECT_EQ(differing, (QList<int>{13, 23, 42}));
    b.ModifDatiCarichi = 0;
}

TEST_F(FileWindowTest, RecordCountFollowsTheOptionalRecords) {
    struct Case {
        const char* what;
        std::function<void(sovraccarichi&)> set;
        int records;
    };
    const QList<Case> cases = {
        {"nothing optional", [](sovraccarichi&) {}, 70},
        {"category 16", [](sovraccarichi& v) { QTest::mouseClick(v.Option1[16], Qt::LeftButton); },
         71},
        {"category 3", [](sovraccarichi& v) { QTest::mouseClick(v.Option1[3], Qt::LeftButton); },
         70},
        {"rows 11 and 12",
         [](sovraccarichi& v) {
             v.txtPerm[11]->setText(QStringLiteral("1"));
             v.txtPerm[12]->setText(QStringLiteral("1"));
             v.chkPerm[11]->setChecked(true);
             v.chkPerm[12]->setChecked(true);
         },
         72},
        {"row 10 without an entry", [](sovraccarichi& v) { v.chkPerm[10]->setChecked(true); }, 71},
    };
    for (const Case& c : cases) {
        sovraccarichi v(settings, prompter, shell);
        c.set(v);
        const QString p = path(QString::fromLatin1(c.what) + QStringLiteral(".TSR"));
        v.PercorsoAnalisi = p;
        ASSERT_TRUE(v.salvafil()) << c.what;
        const QByteArray bytes = read(p);
        EXPECT_EQ(bytes.size(), c.records * 128) << c.what;
        if (QByteArray(c.what) == "row 10 without an entry") {
            // Row 10's tick, value and entry -1 follow rows 1 to 9.
            const int rec = 3 + 9 * 2;
            EXPECT_EQ(bytes.mid(rec * 128, 2), QByteArray("\x01\x00", 2));
            EXPECT_EQ(bytes.mid((rec + 2) * 128, 2), QByteArray("\xFF\xFF", 2));
        }
        v.ModifDatiCarichi = 0;
    }
    // With no category the values are "0"; the snow flag follows the tick.
    sovraccarichi v(settings, prompter, shell);
    v.PercorsoAnalisi = path(QStringLiteral("vuota.TSR"));
    ASSERT_TRUE(v.salvafil());
    TsrReader r(read(v.PercorsoAnalisi));
    QString s;
    ASSERT_TRUE(r.text(s));
    EXPECT_EQ(s, sovraccarichi::versioneProgramma());
    EXPECT_EQ(s, QStringLiteral("1.0"));
    const QByteArray all = read(v.PercorsoAnalisi);
    const int catRecord = 3 + 26 + 15;  // 0-based record of the category
    EXPECT_EQ(all.mid(catRecord * 128, 2), QByteArray("\x00\x00", 2));
    EXPECT_EQ(all.mid((catRecord + 1) * 128, 3), QByteArray("\x01\x00"
                                                            "0",
                                                            3));
    EXPECT_EQ(all.mid((catRecord + 3) * 128, 2), QByteArray("\x00\x00", 2));  // NeveAttiva
}

TEST_F(FileWindowTest, OriginalProgramFileLandsInEveryField) {
    const QString p = path(QStringLiteral("ORIGINALE.TSR"));
    write(p, originalFile());
    EXPECT_EQ(w->apriAnalisi(p), sovraccarichi::Apertura::Letta);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.messages().join('\n').toStdString();

    EXPECT_EQ(w->txtPP->text(), QStringLiteral("Solaio in latero-cemento 20+4"));
    EXPECT_EQ(w->txtVPP->text(), QStringLiteral("280,00"));
    EXPECT_TRUE(w->chkPerm[1]->isChecked());
    EXPECT_FALSE(w->chkPerm[2]->isChecked());
    EXPECT_EQ(w->Combo1->currentIndex(), 2);
    EXPECT_EQ(w->txtPerm[10]->text(), QStringLiteral("120,00"));
    EXPECT_EQ(w->txtDescrPerm[1]->text(), QStringLiteral("Massetto alleggerito"));
    EXPECT_FALSE(w->chkPerm[12]->isChecked());
    EXPECT_EQ(w->txtPerm[12]->text(), QString());  // unticked: the field keeps its content
    EXPECT_EQ(w->txtDescrPerm[3]->text(), QStringLiteral("Controsoffitto"));
    EXPECT_EQ(w->txtPerm[13]->text(), QStringLiteral("5"));
    EXPECT_EQ(w->txtValPerm->text(), QStringLiteral("167,50"));
    EXPECT_EQ(w->txtLD[1]->text(), QStringLiteral("Scaffalature"));
    EXPECT_EQ(w->txtLD[2]->text(), QString());
    EXPECT_EQ(w->txtValLD->text(), QStringLiteral("150,00"));
    EXPECT_EQ(w->categoriaScelta(), 16);
    EXPECT_EQ(w->Text14->text(), QStringLiteral("Palestra"));
    EXPECT_EQ(w->Text11->text(), QStringLiteral("500"));
    EXPECT_EQ(w->Text12->text(), QStringLiteral("300"));
    EXPECT_EQ(w->Text6->text(), QStringLiteral("0,80·[1,00·[1+(600/602)²]]·1,00·1,00 (daN/mq)"));
    EXPECT_EQ(w->parNeve.zona, QStringLiteral("II"));
    EXPECT_EQ(w->parNeve.parapetto, 1);
    EXPECT_EQ(w->parVento.vb, QStringLiteral("27"));
    EXPECT_EQ(w->ModifDatiCarichi, 0);

    // The report, line by line.
    const QString p5 = QStringLiteral("     ");
    const QString rule = QString(62, ' ') + QString(20, '-');
    const QStringList expected = {
        QStringLiteral("     ANALISI DEI CARICHI"),
        QString(),
        QStringLiteral("     CARICHI PERMANENTI:"),
        QStringLiteral("      PESO PROPRIO: Solaio in latero-cemento 20+4 . . . . . . . . G1 "
                       "=280,00 daN/mq"),
        QString(),
        QStringLiteral("     CARICHI PERMANENTI NON STRUTTURALI:"),
        p5 + QStringLiteral("Intonaco  (1,5cm)  . . . . . . . . . . . . . . . . . . . .     = "
                            "30,00 daN/mq"),
        p5 + QStringLiteral("Incidenza Tramezzi 2.00 < P/ml <= 3.00 KN/m . . . . . . . .    "
                            "=120,00   \""),
        p5 + QStringLiteral("Massetto alleggerito . . . . . . . . . . . . . . . . . . .     = "
                            "12,50   \""),
        p5 + QStringLiteral("Controsoffitto . . . . . . . . . . . . . . . . . . . . . .     =  "
                            "5,00   \""),
        rule,
        QString(64, ' ') + QStringLiteral(" G2 =167,50 daN/mq"),
        QStringLiteral("     CARICHI VARIABILI DI LUNGA DURATA:"),
        p5 + QStringLiteral("Scaffalature . . . . . . . . . . . . . . . . . . . . . . .     "
                            "=150,00 daN/mq"),
        rule,
        QString(64, ' ') + QStringLiteral(" Qk1=150,00 daN/mq"),
        QStringLiteral("     CARICHI VARIABILI DI BREVE DURATA:"),
        p5 + QStringLiteral("Palestra . . . . . . . . . . . . . . . . . . . . . . . . .  "
                            "Qk2=500,00 daN/mq"),
        QString(),
        QStringLiteral("     CARICO NEVE:"),
        QStringLiteral("     ZONA II     as=600,00m.     CE=1,00     Ct=1,00     μ=0,80"),
        p5 + QStringLiteral("0,80·[1,00·[1+(600/602)²]]·1,00·1,00 (daN/mq) . . . . . . . Qk3= "
                            "96,00 daN/mq"),
        QString(),
        QStringLiteral("     CARICO VENTO:"),
        QStringLiteral("     ZONA: 3           as= 600,00m.    Rug.=\"C\""),
        QStringLiteral("     Dmare=10,00km.     Hedif=9,00m.    Cesp=\"III\""),
        p5 + QStringLiteral("qb·Ce·Cp·Cd = 52,31 (daN/mq) . . . . . . . . . . . . . . .  Qk4= "
                            "52,31 daN/mq"),
        QString(),
        QString(),
    };
    const QStringList lines = reportLines(buildReport(w->dati));
    ASSERT_EQ(lines.size(), expected.size()) << lines.join('\n').toStdString();
    for (int i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    // The pane shows the same text.
    EXPECT_EQ(w->RichTextBox1->toPlainText(), lines.join('\n') + QLatin1Char('\n'));
}

TEST_F(FileWindowTest, TextsLongerThanAFieldTakesAreReadWhole) {
    const QByteArray description(60, 'd');
    QByteArray bytes = originalFile();
    bytes.replace(1 * 128, 128, textRecord(description));
    bytes.replace(2 * 128, 128, textRecord("12345,67"));
    const QString p = path(QStringLiteral("lunghi.TSR"));
    write(p, bytes);
    EXPECT_EQ(w->apriAnalisi(p), sovraccarichi::Apertura::Letta);
    EXPECT_EQ(w->txtPP->text(), QString::fromLatin1(description));
    EXPECT_FLOAT_EQ(w->dati.PesoProprio, 12345.67f);
    EXPECT_EQ(w->dati.DescrPesoProprio, QString::fromLatin1(description));
}

TEST_F(FileWindowTest, WindAloneStandsAtTheFilesAltitude) {
    QByteArray bytes = originalFile();
    const int snowFlag = 3 + 26 + 3 + 15 + 4;  // 0-based, after the category's four records
    ASSERT_EQ(bytes.mid(snowFlag * 128, 2), QByteArray("\x01\x00", 2));
    bytes[snowFlag * 128] = 0;
    const QString p = path(QStringLiteral("vento.TSR"));
    write(p, bytes);
    EXPECT_EQ(w->apriAnalisi(p), sovraccarichi::Apertura::Letta);
    EXPECT_FALSE(w->CheckNeve->isChecked());
    const QString report = w->RichTextBox1->toPlainText();
    EXPECT_FALSE(report.contains(QStringLiteral("CARICO NEVE")));
    EXPECT_TRUE(
        report.contains(QStringLiteral("     ZONA: 3           as= 600,00m.    Rug.=\"C\"")))
        << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral(" Qk3= 52,31 daN/mq")));
}

TEST_F(FileWindowTest, AnotherVersionWarnsNamingItAndReadsOn) {
    const QString p = path(QStringLiteral("vecchio.TSR"));
    write(p, originalFile("0.9"));
    prompter.answerMessage();
    EXPECT_EQ(w->apriAnalisi(p), sovraccarichi::Apertura::Letta);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0],
              QStringLiteral("Attenzione! Il File di Analisi indicato è stato creato con la "
                             "Versione 0.9 del programma.\nSi consiglia di controllare "
                             "attentamente i dati Letti dal File."));
    EXPECT_EQ(prompter.beeps(), 1);
    EXPECT_EQ(w->parVento.vb, QStringLiteral("27"));
}

TEST_F(FileWindowTest, SaveAsAsksBeforeOverwriting) {
    const QString p = path(QStringLiteral("esiste.TSR"));
    write(p, QByteArray("old"));
    const QString question =
        QStringLiteral("File \"") + p + QStringLiteral("\"  Esiste - Sovrapporre?");
    w->chkPerm[1]->setChecked(true);

    // Cancel leaves the file untouched.
    prompter.answerSaveFile(p).answerMessage(platform::vbCancel);
    w->aprisalv(QStringLiteral("SalvaConNome"));
    EXPECT_EQ(read(p), QByteArray("old"));
    EXPECT_EQ(prompter.messages().last(), question);
    EXPECT_EQ(prompter.shown().last().style & 7, platform::vbYesNoCancel);
    EXPECT_EQ(w->PercorsoAnalisi, QStringLiteral("Senza Nome"));

    // No opens the dialog again; cancelling it saves nothing.
    prompter.answerSaveFile(p).answerMessage(platform::vbNo).answerSaveFile(std::nullopt);
    w->aprisalv(QStringLiteral("SalvaConNome"));
    EXPECT_EQ(read(p), QByteArray("old"));
    EXPECT_EQ(w->ModifDatiCarichi, 1);

    // "Salva" of a never saved analysis is "SalvaConNome"; Yes overwrites.
    prompter.answerSaveFile(p).answerMessage(platform::vbYes);
    w->aprisalv(QStringLiteral("Salva"));
    EXPECT_EQ(read(p).size(), 70 * 128);
    EXPECT_EQ(w->PercorsoAnalisi, p);
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    const auto& shown = prompter.shown();
    EXPECT_EQ(shown.last().kind, ScriptedPrompter::Message);
    EXPECT_EQ(shown[shown.size() - 2].file.filter,
              QStringLiteral("Tessaro DM.2008 (*.TSR)|*.TSR|Tutti i file (*.*)|*.*"));
    EXPECT_EQ(shown[shown.size() - 2].file.filterIndex, 1);
    EXPECT_EQ(shown[shown.size() - 2].file.fileName, QString());

    // Once named, "Salva" asks nothing, and "SalvaConNome" offers the name.
    w->chkPerm[2]->setChecked(true);
    w->aprisalv(QStringLiteral("Salva"));
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    prompter.answerSaveFile(std::nullopt);
    w->aprisalv(QStringLiteral("SalvaConNome"));
    EXPECT_EQ(prompter.shown().last().file.fileName, p);
}

TEST_F(FileWindowTest, ClosingWithChangesAndYesSavesToTheKnownFile) {
    const QString p = path(QStringLiteral("chiusura.TSR"));
    saveAs(p);
    w->show();
    w->chkPerm[3]->setChecked(true);
    prompter.answerMessage(platform::vbYes);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(w->ModifDatiCarichi, 0);
    EXPECT_EQ(read(p).mid((3 + 4) * 128, 2), QByteArray("\x01\x00", 2));  // row 3 ticked
    EXPECT_TRUE(w->close());
}

TEST_F(FileWindowTest, TextsTheFileCannotHoldAreLimitedOrRefused) {
    // Typing is limited where a record ends, and characters outside the code page are refused.
    for (QLineEdit* e : {w->txtLD[1], w->txtDescrPerm[1], w->Text14, w->Text6, w->Text15})
        EXPECT_EQ(e->maxLength(), kTsrMaxText);
    w->chkLD[1]->setChecked(true);
    QTest::keyClicks(w->txtLD[1], QStringLiteral("a"));
    QKeyEvent mu(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("μ"));
    QApplication::sendEvent(w->txtLD[1], &mu);
    QTest::keyClicks(w->txtLD[1], QStringLiteral("b"));
    EXPECT_EQ(w->txtLD[1]->text(), QStringLiteral("ab"));

    // A text that still cannot be stored refuses the save, names the field, and
    // leaves the old file as it was.
    const QString p = path(QStringLiteral("rifiuto.TSR"));
    saveAs(p);
    const QByteArray before = read(p);
    w->CheckNeve->setChecked(true);
    w->Text6->setText(QStringLiteral("μ = 0,8"));  // a calculator's or program's text
    prompter.answerMessage();
    w->aprisalv(QStringLiteral("Salva"));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0],
              QStringLiteral("L'analisi non è stata salvata: il testo del campo \"Formula del "
                             "carico neve\" contiene caratteri che il file non può registrare."));
    EXPECT_EQ(read(p), before);
    EXPECT_EQ(w->ModifDatiCarichi, 1);
    EXPECT_TRUE(w->Text6->hasSelectedText());

    w->Text6->setText(QStringLiteral("ok"));
    w->parVento.vb = QString(127, QLatin1Char('9'));
    prompter.answerMessage();
    w->aprisalv(QStringLiteral("Salva"));
    EXPECT_TRUE(prompter.messages().last().contains(
        QStringLiteral("\"Velocità di riferimento\" è più lungo di 126 caratteri")));
    EXPECT_EQ(read(p), before);
}

TEST_F(FileWindowTest, FailedSaveSaysSoAndKeepsTheName) {
    prompter.answerSaveFile(path(QStringLiteral("manca/analisi.TSR"))).answerMessage();
    w->chkPerm[1]->setChecked(true);
    w->aprisalv(QStringLiteral("SalvaConNome"));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(
        QStringLiteral("L'analisi non è stata salvata nel file \"")));
    EXPECT_EQ(w->PercorsoAnalisi, QStringLiteral("Senza Nome"));
    EXPECT_EQ(w->ModifDatiCarichi, 1);
}

TEST_F(FileWindowTest, OpenFailuresAndCancelledDialogs) {
    // Cancelled dialogs change nothing.
    prompter.answerOpenFile(std::nullopt).answerSaveFile(std::nullopt);
    w->aprisalv(QStringLiteral("Apri"));
    w->aprisalv(QStringLiteral("SalvaConNome"));
    EXPECT_EQ(w->PercorsoAnalisi, QStringLiteral("Senza Nome"));
    EXPECT_TRUE(w->bannerShown());

    const QString missing = path(QStringLiteral("assente.TSR"));
    prompter.answerOpenFile(missing).answerMessage();
    w->aprisalv(QStringLiteral("Apri"));
    EXPECT_TRUE(prompter.messages().last().startsWith(
        QStringLiteral("File: \"") + missing +
        QStringLiteral("\" inesistente o non leggibile dal programma\n")));
    EXPECT_EQ(w->PercorsoAnalisi, QStringLiteral("Senza Nome"));

    // A file cut in the wind texts: what was read stays, under the new path.
    const QString cut = path(QStringLiteral("troncato.TSR"));
    write(cut, originalFile().left(66 * 128 + 10));
    prompter.answerOpenFile(cut).answerMessage();
    w->aprisalv(QStringLiteral("Apri"));
    EXPECT_EQ(prompter.messages().last(),
              kDanneggiato + QStringLiteral("\nInput oltre la fine del file"));
    EXPECT_EQ(w->txtPP->text(), QStringLiteral("Solaio in latero-cemento 20+4"));
    EXPECT_TRUE(w->CheckVento->isChecked());
    EXPECT_EQ(w->PercorsoAnalisi, cut);
    EXPECT_EQ(w->fileNameField->text(), cut);

    // A length that cannot fit a record, and a tick box that is neither on nor off.
    QByteArray longText = originalFile();
    longText[1 * 128] = 127;
    write(cut, longText);
    prompter.answerMessage();
    EXPECT_EQ(w->apriAnalisi(cut), sovraccarichi::Apertura::Danneggiata);
    EXPECT_EQ(prompter.messages().last(),
              kDanneggiato + QStringLiteral("\nLunghezza di record non valida"));
    QByteArray badTick = originalFile();
    badTick[3 * 128] = 5;
    write(cut, badTick);
    prompter.answerMessage();
    EXPECT_EQ(w->apriAnalisi(cut), sovraccarichi::Apertura::Danneggiata);
    EXPECT_EQ(prompter.messages().last(),
              kDanneggiato + QStringLiteral("\nValore della proprietà non valido"));
}

TEST_F(FileWindowTest, AFileWithoutCategoryLeavesNoneChosen) {
    QTest::mouseClick(w->Option1[4], Qt::LeftButton);
    const QString p = path(QStringLiteral("senza.TSR"));
    sovraccarichi other(settings, prompter, shell);
    other.PercorsoAnalisi = p;
    ASSERT_TRUE(other.salvafil());
    EXPECT_EQ(w->apriAnalisi(p), sovraccarichi::Apertura::Letta);
    EXPECT_EQ(w->categoriaScelta(), 0);
    EXPECT_FALSE(w->Text2[4]->isEnabled());
    other.ModifDatiCarichi = 0;

    // A number outside the table chooses none either; a greyed tick is no tick.
    QTest::mouseClick(w->Option1[4], Qt::LeftButton);
    QByteArray bytes = read(p);
    const int category = 3 + 26 + 15;  // 0-based: no optional record before it
    ASSERT_EQ(bytes.mid(category * 128, 2), QByteArray("\0\0", 2));
    bytes[category * 128] = 40;
    bytes[3 * 128] = 2;
    write(p, bytes);
    EXPECT_EQ(w->apriAnalisi(p), sovraccarichi::Apertura::Letta);
    EXPECT_EQ(w->categoriaScelta(), 0);
    EXPECT_FALSE(w->chkPerm[1]->isChecked());
}

// The bundled sample is what our writer makes of the sample analysis; set
// TESSARO_WRITE_SAMPLE=1 to write it again after a deliberate change.
TEST_F(FileWindowTest, BundledSampleIsOurWritersOutput) {
    w->txtPP->setText(QStringLiteral("Solaio latero-cementizio 20+4"));
    w->txtVPP->setText(QStringLiteral("300,00"));
    for (int j : {1, 2, 5}) w->chkPerm[j]->setChecked(true);
    w->chkPerm[10]->setChecked(true);
    w->Combo1->setCurrentIndex(1);
    w->txtPerm[11]->setText(QStringLiteral("15,00"));
    w->chkPerm[11]->setChecked(true);
    w->txtDescrPerm[1]->setText(QStringLiteral("Impianti sospesi"));
    QTest::mouseClick(w->Option1[1], Qt::LeftButton);
    w->CheckNeve->setChecked(true);
    w->CheckVento->setChecked(true);
    const QString p = path(QStringLiteral("sample.TSR"));
    saveAs(p);
    const QString fixture = QStringLiteral(TESSARO_FIXTURES_DIR "/sample.TSR");
    if (qEnvironmentVariableIsSet("TESSARO_WRITE_SAMPLE")) write(fixture, read(p));
    EXPECT_EQ(read(fixture), read(p));

    sovraccarichi b(settings, prompter, shell);
    EXPECT_EQ(b.apriAnalisi(fixture), sovraccarichi::Apertura::Letta);
    const QString report = b.RichTextBox1->toPlainText();
    for (const char* part : {"NON STRUTTURALI", "Qk1=200,00", "Qk2=140,00", "Qk3= 44,49"})
        EXPECT_TRUE(report.contains(QString::fromUtf8(part))) << part;
}

}  // namespace
