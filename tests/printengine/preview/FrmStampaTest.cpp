#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "GeometriaAnteprima.h"
#include "Printer.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "ShellOpen.h"
#include "Surface.h"
#include "clsModStampa.h"
#include "frmStampa.h"

using platform::Printer;
using velmora::frmStampa;

namespace {

class FakeShell : public platform::Shell {
public:
    int result = platform::SE_ERR_NOASSOC;
    QStringList opened;
    int open(const QString& target, const QString&, int) override {
        opened << target;
        return result;
    }
};

// A recorded job of n pages, each with a diagonal line, and the real window
// over it (not yet shown).
struct Preview {
    platform::ScriptedPrompter prompter;
    platform::MemorySettingsStore settings;
    velmora::HeadlessPrinterDialogs dialogs;
    FakeShell shell;
    velmora::clsModStampa* job = nullptr;
    std::unique_ptr<frmStampa> w;

    explicit Preview(int pages, QString printer = Printer::rasterPrinterName(),
                     QString tipo = QStringLiteral("Analisi")) {
        prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
        velmora::clsModStampa::Servizi s;
        s.prompter = &prompter;
        s.settings = &settings;
        s.dialogs = &dialogs;
        s.printerName = printer;
        job = new velmora::clsModStampa(s);
        job->NomeSoftware = QStringLiteral("Tessaro");
        job->TipoDocumento = tipo;
        job->setAnteprima(true);
        for (int i = 0; i < pages; ++i) {
            job->AggiungiClasseComando(
                QStringLiteral("Linea"),
                QStringLiteral("|x1=20|y1=20|x2=190|y2=%1|SpesCont=0,5|").arg(40 + 20 * i));
            if (i + 1 < pages) job->newPage();
        }
    }
    ~Preview() {
        w.reset();
        job->Release();
    }
    // Opens the window as EndDoc does, without the modal loop.
    frmStampa& open() {
        job->endDoc();  // the headless window of the job opens and closes at once
        w = std::make_unique<frmStampa>(frmStampa::Servizi{&prompter, &settings, &shell});
        w->resize(1200, 800);
        w->Init(job);
        w->show();
        w->LayOut();
        w->ShowFirstPage();
        w->ImpostaForm();
        return *w;
    }
    bool enabled(const QString& key) { return w->azioni.value(key)->isEnabled(); }
    int32_t page() const { return job->stato().nPagCorr; }
};

}  // namespace

TEST(FrmStampaNavigation, OnePageDisablesEveryPageCommand) {
    Preview p(1);
    frmStampa& w = p.open();
    EXPECT_EQ(w.TxtPag->text(), "1 / 1");
    for (const char* k : {"Prima", "Precedente", "Successiva", "Ultima"})
        EXPECT_FALSE(p.enabled(k)) << k;
    EXPECT_FALSE(w.TxtPag->isEnabled());
    EXPECT_TRUE(p.enabled("Stampa"));
    EXPECT_TRUE(w.CmbZoom->isEnabled());
    EXPECT_TRUE(w.paginaWidget()->isVisible());
    EXPECT_EQ(w.Label11->text(), "DB Oggetti - Pag. 1 / 1");
}

TEST(FrmStampaNavigation, ButtonsMoveAndEnableByPosition) {
    Preview p(3);
    frmStampa& w = p.open();
    struct Step {
        const char* key;
        int page;
        bool prev, next;
    } steps[] = {{"Successiva", 2, true, true},
                 {"Ultima", 3, true, false},
                 {"Precedente", 2, true, true},
                 {"Prima", 1, false, true}};
    for (const Step& s : steps) {
        w.azioni[s.key]->trigger();
        SCOPED_TRACE(s.key);
        EXPECT_EQ(p.page(), s.page);
        EXPECT_EQ(w.TxtPag->text(), QString("%1 / 3").arg(s.page));
        EXPECT_EQ(p.enabled("Precedente"), s.prev);
        EXPECT_EQ(p.enabled("Successiva"), s.next);
        EXPECT_TRUE(p.enabled("Prima"));
        EXPECT_TRUE(p.enabled("Ultima"));
    }
}

TEST(FrmStampaNavigation, TypedPage) {
    Preview p(3);
    frmStampa& w = p.open();
    w.TxtPag->setFocus();
    // Letters are dropped, digits pass.
    w.TxtPag->clear();
    QTest::keyClicks(w.TxtPag, "x3a");
    EXPECT_EQ(w.TxtPag->text(), "3");
    QTest::keyClick(w.TxtPag, Qt::Key_Return);
    EXPECT_EQ(p.page(), 3);
    EXPECT_EQ(w.TxtPag->text(), "3 / 3");

    // Leaving without typing keeps the page.
    w.confermaTxtPag();
    EXPECT_EQ(p.page(), 3);

    for (const char* bad : {"0", "4", ""}) {
        p.prompter.answerMessage(platform::vbOK);
        w.TxtPag->setText(bad);
        w.confermaTxtPag();
        EXPECT_EQ(p.page(), 3) << bad;
    }
    EXPECT_EQ(p.prompter.messages(), QStringList(3, QStringLiteral("Numero di pagina non valido")));
    EXPECT_EQ(p.prompter.shown().last().style, platform::vbExclamation);
}

TEST(FrmStampaNavigation, RemovingTheOnlyPageHidesThePicture) {
    Preview p(1);
    frmStampa& w = p.open();
    p.prompter.answerMessage(platform::vbNo);
    w.azioni["delPage"]->trigger();
    EXPECT_EQ(p.job->PagineTotAnteprima(), 1);
    EXPECT_EQ(p.prompter.shown().last().text, "Eliminare la pagina corrente n° 1 ?");
    EXPECT_EQ(p.prompter.shown().last().title, "Conferma eliminazione pagina");

    p.prompter.answerMessage(platform::vbYes);
    w.azioni["delPage"]->trigger();
    EXPECT_EQ(p.job->PagineTotAnteprima(), 0);
    EXPECT_EQ(p.page(), 0);
    EXPECT_FALSE(w.paginaWidget()->isVisible());
    EXPECT_TRUE(w.TxtPag->text().isEmpty());
    for (const char* k : {"Stampa", "Pagine", "Adatta", "Zoom", "menu.Stampa", "Prima"})
        EXPECT_FALSE(p.enabled(k)) << k;
    EXPECT_TRUE(p.enabled("ShowPrinter"));
    EXPECT_TRUE(p.enabled("Esci"));
    EXPECT_FALSE(w.CmbZoom->isEnabled());
    EXPECT_FALSE(w.VScroll1->isEnabled());
}

TEST(FrmStampaNavigation, AddingPagesAndTheModelCheck) {
    Preview p(2);
    frmStampa& w = p.open();
    w.azioni["newPage"]->trigger();
    EXPECT_EQ(p.job->PagineTotAnteprima(), 3);
    EXPECT_EQ(p.page(), 3);
    EXPECT_EQ(w.TxtPag->text(), "3 / 3");

    Preview m(1, Printer::rasterPrinterName(), "Modello Fattura");
    m.job->AggiungiClasseComando("Campo Colonna",
                                 "|Campo=Quantità|x1=20|x2=40|Y=100|DX=2|NCar=12|");
    frmStampa& wm = m.open();
    m.prompter.answerMessage(platform::vbOK);
    wm.azioni["newPage"]->trigger();
    EXPECT_EQ(m.job->PagineTotAnteprima(), 1);
    EXPECT_EQ(m.prompter.beeps(), 1);
    EXPECT_EQ(m.prompter.messages(),
              QStringList("Impossibile aggiungere Nuova Pagina, nel Modello è presente l'oggetto "
                          "'Campo Colonna' che può essere usato solo nei documenti a pagina "
                          "singola."));
    // The first menu's entry adds without the check.
    wm.azioni["menu.Aggiungi Pagina"]->trigger();
    EXPECT_EQ(m.job->PagineTotAnteprima(), 2);
    EXPECT_EQ(wm.windowTitle(), "[Tessaro] - Gestore Modelli di Stampa Documenti [Vortanel]");
    EXPECT_EQ(wm.lblPag->text(), "Pagine Modello");
    EXPECT_TRUE(wm.azioni["Nuovo"]->isVisible());
}

TEST(FrmStampaPrinting, CurrentAllAndRangeOnTheRasterPrinter) {
    Preview p(3);
    frmStampa& w = p.open();
    Printer& pr = p.job->printer();
    w.azioni["Successiva"]->trigger();
    w.azioni["stampaP"]->trigger();
    ASSERT_EQ(pr.rasterPages().size(), 1);

    w.azioni["Stampa"]->trigger();  // the button itself prints all
    EXPECT_EQ(pr.rasterPages().size(), 3);

    // 5-2 beeps and asks again, 2-3 prints two pages.
    p.prompter.answerInput(QString("5-2")).answerInput(QString("2-3"));
    w.azioni["stampaI"]->trigger();
    EXPECT_EQ(pr.rasterPages().size(), 2);
    EXPECT_EQ(p.prompter.beeps(), 1);
    const auto& ask = p.prompter.shown().last();
    EXPECT_EQ(ask.title, "Stampa Intervallo");
    EXPECT_EQ(ask.text,
              "N* Pagine = 3\n\nSpecificare l'intervallo di pagine da stampare, Separato dal "
              "simbolo - .\nES. specificare 1-10 per stampare le pagine da 1 a 10");

    // An empty answer ends without printing; so does a cancel.
    p.prompter.answerInput(QString("")).answerInput(std::nullopt);
    const int before = p.prompter.shown().size();
    w.azioni["stampaI"]->trigger();
    w.azioni["stampaI"]->trigger();
    EXPECT_EQ(p.prompter.shown().size(), before + 2);
    EXPECT_EQ(pr.rasterPages().size(), 2);
    EXPECT_FALSE(pr.isPrinting());
    EXPECT_TRUE(p.prompter.allAnswered());
    // The preview goes on drawing on its own picture.
    EXPECT_EQ(p.job->stato().PicPrinter, w.superficie());
}

TEST(FrmStampaPrinting, OnePageDocumentPrintsOneSheet) {
    Preview p(1);
    frmStampa& w = p.open();
    w.azioni["stampaT"]->trigger();
    EXPECT_EQ(p.job->printer().rasterPages().size(), 1);
}

TEST(FrmStampaPrinting, PdfPrinterAsksForTheFile) {
    QTemporaryDir dir;
    Preview p(2, Printer::pdfPrinterName());
    frmStampa& w = p.open();
    p.prompter.answerSaveFile(std::nullopt);
    w.azioni["stampaT"]->trigger();
    EXPECT_FALSE(p.job->printer().isPrinting());

    const QString out = dir.filePath("analisi");
    p.prompter.answerSaveFile(out);
    w.azioni["stampaT"]->trigger();
    EXPECT_TRUE(QFileInfo(out + ".pdf").size() > 0);
    EXPECT_TRUE(p.prompter.allAnswered());
}

TEST(FrmStampaZoom, PictureSizeScaleAndScrollFollowTheZoom) {
    Preview p(1);
    frmStampa& w = p.open();
    const QSizeF foglio = p.job->printer().pageSizeMillimetres();
    const double pxMm = w.pixelPerMm();
    const QSize area = w.areaPagina()->size();
    for (int z : {10, 50, 100, 150, 400}) {
        w.CmbZoom->setCurrentIndex(velmora::anteprima::indiceZoom(z));
        SCOPED_TRACE(z);
        const velmora::anteprima::GeometriaPagina g = velmora::anteprima::calcolaGeometria(
            area.width() / pxMm, area.height() / pxMm, foglio.width(), foglio.height(), z);
        const QRect r = w.rettangoloPagina();
        EXPECT_NEAR(r.width(), g.larghezza * pxMm, 1);
        EXPECT_NEAR(r.height(), g.altezza * pxMm, 1);
        EXPECT_NEAR(r.x(), g.PosBaseX * pxMm, 1);
        EXPECT_NEAR(r.y(), g.PosBaseY * pxMm, 1);
        EXPECT_EQ(w.VScroll1->maximum(), g.maxScrollV);
        EXPECT_EQ(w.HScroll1->maximum(), g.maxScrollH);
        EXPECT_NEAR(p.job->stato().FattoreScala, z / 100.0, 0.01);
        EXPECT_NEAR(p.job->stato().LarghezzaFoglioCm, foglio.width() / 10, 1e-4);
        // The shadow stays beside the page.
        EXPECT_EQ(w.rettangoloOmbra().size(), r.size());
        EXPECT_GE(w.rettangoloOmbra().x(), r.x());
    }
    // Zoom 400: the thumb moves page and shadow together.
    ASSERT_GT(w.VScroll1->maximum(), 30);
    const QRect before = w.rettangoloPagina();
    const QPoint shadowOffset = w.rettangoloOmbra().topLeft() - before.topLeft();
    w.VScroll1->setValue(30);
    EXPECT_NEAR(w.rettangoloPagina().y(), before.y() - 30 * pxMm, 1);
    EXPECT_LE((w.rettangoloOmbra().topLeft() - w.rettangoloPagina().topLeft() - shadowOffset)
                  .manhattanLength(),
              2);

    // Dragging the page 20 mm up and 10 mm left scrolls by as much.
    w.HScroll1->setValue(0);
    w.VScroll1->setValue(0);
    w.iniziaTrascina(50, 50);
    w.trascina(40, 30);
    w.fineTrascina();
    EXPECT_EQ(w.HScroll1->value(), 10);
    EXPECT_EQ(w.VScroll1->value(), 20);

    // "Zoom 100%" and "Adatta".
    w.azioni["Zoom"]->trigger();
    EXPECT_EQ(w.zoomCorrente(), 100);
    w.azioni["Adatta"]->trigger();
    EXPECT_EQ(w.VScroll1->maximum(), 0);
    EXPECT_LE(w.rettangoloPagina().bottom(), w.areaPagina()->height());
}

TEST(FrmStampaZoom, HidingTheRulersKeepsThePageCentredInView) {
    Preview p(1);
    frmStampa& w = p.open();
    w.CmbZoom->setCurrentIndex(velmora::anteprima::indiceZoom(20));
    const int32_t base = w.PosBaseY;
    w.azioni["vista.Righelli"]->trigger();
    EXPECT_EQ(w.impostazioni().vis_Righelli, 0);
    EXPECT_FALSE(w.PicRighello[0]->isVisible());
    EXPECT_NEAR(w.rettangoloPagina().y(), w.PosBaseY * w.pixelPerMm(), 1);
    EXPECT_GE(w.PosBaseY, base);  // the area grew by the ruler
    EXPECT_TRUE(w.areaPagina()->rect().contains(w.rettangoloPagina()));
}

TEST(FrmStampaSettings, ZoomAndPanelsSurviveClosing) {
    Preview p(1);
    frmStampa& w = p.open();
    EXPECT_EQ(w.zoomCorrente(), 100);
    w.whileShown = [](frmStampa& f) {
        f.CmbZoom->setCurrentIndex(velmora::anteprima::indiceZoom(150));
        f.azioni["vista.Riga Comandi"]->trigger();
    };
    w.showModal();
    EXPECT_FALSE(w.isVisible());
    const QString app = velmora::titoloLibreria();
    EXPECT_EQ(p.settings.get(app, "Zoom", "Valore", ""), "150");
    EXPECT_EQ(p.settings.get(app, "BarraComandi", "Attivo", ""), "0");
    EXPECT_FALSE(p.settings.get(app, "frmStampa", "Width", "").isEmpty());

    frmStampa again(frmStampa::Servizi{&p.prompter, &p.settings, &p.shell});
    again.Init(p.job);
    EXPECT_EQ(again.zoomCorrente(), 150);
    EXPECT_EQ(again.impostazioni().vis_BarraComandi, 0);
    EXPECT_FALSE(again.azioni["vista.Riga Comandi"]->isChecked());
    EXPECT_TRUE(again.azioni["vista.Righelli"]->isChecked());
}

TEST(FrmStampaSettings, PrinterChangeReturnsToTheStoredZoom) {
    Preview p(1, Printer::pdfPrinterName());
    p.settings.save(velmora::titoloLibreria(), "Zoom", "Valore", "75");
    frmStampa& w = p.open();
    EXPECT_EQ(w.zoomCorrente(), 75);
    w.CmbZoom->setCurrentIndex(velmora::anteprima::indiceZoom(200));
    p.job->printer().setOrientation(Printer::Landscape);
    w.CmbPrinter->setCurrentText(Printer::rasterPrinterName());
    EXPECT_EQ(p.job->printer().deviceName(), Printer::rasterPrinterName());
    EXPECT_EQ(p.job->printer().orientation(), Printer::Landscape);  // remembered and applied
    EXPECT_EQ(w.zoomCorrente(), 75);
    const QSizeF foglio = p.job->printer().pageSizeMillimetres();
    EXPECT_GT(foglio.width(), foglio.height());
    EXPECT_NEAR(w.rettangoloPagina().width(), foglio.width() * 0.75 * w.pixelPerMm(), 1);
}

TEST(FrmStampaSettings, TextFactorField) {
    Preview p(1);
    frmStampa& w = p.open();
    EXPECT_EQ(w.Text8->text(), "1");
    w.Text8->selectAll();
    QTest::keyClicks(w.Text8, "0.8");
    EXPECT_EQ(w.Text8->text(), "0,8");
    EXPECT_FLOAT_EQ(p.job->fc, 0.8f);
    EXPECT_EQ(p.settings.get(velmora::titoloLibreria(), "FattoreStampa", "Testo", ""), "0,8");
    w.Text8->selectAll();
    QTest::keyClicks(w.Text8, "3");
    EXPECT_FLOAT_EQ(p.job->fc, 1.0f);  // outside (0, 1]
}

TEST(FrmStampaFrame, MakersLinkReportsAFailure) {
    Preview p(1);
    frmStampa& w = p.open();
    p.prompter.answerMessage(platform::vbOK);
    QTest::mouseClick(w.Label3, Qt::LeftButton);
    EXPECT_EQ(p.shell.opened, QStringList(frmStampa::indirizzoProduttore()));
    EXPECT_EQ(p.prompter.messages(),
              QStringList("Impossibile collegarsi con  " + frmStampa::indirizzoProduttore()));
    p.shell.result = platform::SHELL_OK;
    QTest::mouseClick(w.Label3, Qt::LeftButton);
    EXPECT_EQ(p.prompter.messages().size(), 1);
}

TEST(FrmStampaFrame, PageReplayDrawsOnThePicture) {
    Preview p(1);
    frmStampa& w = p.open();
    const QImage& img = w.superficie()->image();
    ASSERT_FALSE(img.isNull());
    // The printable-area frame and the recorded line leave non-white pixels.
    int dark = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2)
            if (qGray(img.pixel(x, y)) < 100) ++dark;
    EXPECT_GT(dark, 20);
}

TEST(FrmStampaFrame, EndDocOpensTheRealWindow) {
    platform::ScriptedPrompter prompter;
    prompter.setOnUnexpected([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    platform::MemorySettingsStore settings;
    FakeShell shell;
    velmora::clsModStampa::Servizi s;
    s.prompter = &prompter;
    s.settings = &settings;
    s.printerName = Printer::rasterPrinterName();
    QStringList seen;
    s.window = [&]() -> std::unique_ptr<velmora::PreviewWindow> {
        auto w = std::make_unique<frmStampa>(frmStampa::Servizi{&prompter, &settings, &shell});
        w->whileShown = [&seen](frmStampa& f) {
            seen << f.windowTitle() << f.TxtPag->text();
            f.azioni["Ultima"]->trigger();
            seen << f.TxtPag->text();
        };
        return w;
    };
    auto* job = new velmora::clsModStampa(s);
    job->NomeSoftware = "Tessaro";
    job->setAnteprima(true);
    job->AggiungiClasseComando("Linea", "|x1=1|y1=1|x2=50|y2=50|");
    job->newPage();
    job->endDoc();
    EXPECT_EQ(seen, QStringList({"[Tessaro] - Anteprima di Stampa [Vortanel]", "1 / 2", "2 / 2"}));
    EXPECT_EQ(job->stato().PicPrinter, nullptr);
    job->Release();
}

TEST(VelmoraCli, PreviewAndDesignRefuseWhatTheyCannotOpen) {
    struct Case {
        QStringList args;
        int code;
        QString message;
    } cases[] = {
        {{"preview", "/nonexistent/doc.DSS"},
         1,
         "impossibile leggere il file \"/nonexistent/doc.DSS\""},
        {{"preview"}, 2, "Uso: velmora preview FILE"},
        {{"design"}, 1, "design non ancora disponibile"},
    };
    for (const Case& c : cases) {
        QProcess p;
        p.start(QStringLiteral(TESSARO_TEST_BIN_DIR) + "/velmora", c.args);
        ASSERT_TRUE(p.waitForFinished(60000));
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(p.exitCode(), c.code);
        EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError()).contains(c.message));
    }
}

TEST(FrmStampaSettings, PrinterSetupReshapesThePage) {
    Preview p(1);
    frmStampa& w = p.open();
    const int portraitWidth = w.rettangoloPagina().width();
    // Cancelled: nothing changes.
    p.dialogs.setupAnswers.push_back(std::nullopt);
    w.azioni["ShowPrinter"]->trigger();
    EXPECT_EQ(w.rettangoloPagina().width(), portraitWidth);
    // A3 landscape confirmed: the page follows.
    velmora::ImpostazioniDocumento a3;
    a3.orientamento = Printer::Landscape;
    a3.formato = 8;
    p.dialogs.setupAnswers.push_back(a3);
    w.azioni["menu.Imposta Stampante"]->trigger();
    EXPECT_EQ(p.dialogs.shown, 2);
    EXPECT_EQ(p.job->printer().orientation(), Printer::Landscape);
    EXPECT_EQ(p.job->printer().paperSize(), 8);
    EXPECT_NEAR(w.rettangoloPagina().width(), 420 * w.pixelPerMm(), 2);
    EXPECT_NEAR(p.job->stato().LarghezzaFoglioCm, 42, 0.01);
}

TEST(FrmStampaPrinting, AJobThatCannotStartIsReported) {
    for (const char* key : {"stampaP", "stampaT"}) {
        Preview p(1, Printer::pdfPrinterName());
        frmStampa& w = p.open();
        p.prompter.answerSaveFile(QString("/nonexistent-folder/sub/out.pdf"));
        p.prompter.answerMessage(platform::vbOK);
        w.azioni[key]->trigger();
        SCOPED_TRACE(key);
        EXPECT_EQ(p.prompter.beeps(), 1);
        ASSERT_EQ(p.prompter.messages().size(), 1);
        EXPECT_TRUE(p.prompter.messages()[0].startsWith("Errore di Stampa.\n"));
        EXPECT_GT(p.prompter.messages()[0].size(), QString("Errore di Stampa.\n").size());
        EXPECT_FALSE(p.job->printer().isPrinting());
    }
}

TEST(FrmStampaFrame, GridDotsEveryStepOfPaper) {
    Preview p(1);
    const QString app = velmora::titoloLibreria();
    p.settings.save(app, "Grid", "Attivo", "1");
    p.settings.save(app, "PassoGridStep", "Valore", "5");
    frmStampa& w = p.open();
    const platform::PictureSurface* pic = w.superficie();
    // Dots at whole multiples of 5 paper millimetres, none in between.
    const double pxPerMm = pic->dpiX() / 25.4 * p.job->stato().FattoreScala;
    const QColor dot(0, 128, 128);
    // A dot lies within a pixel of where the step puts it.
    auto dotNear = [&](double mmX, double mmY, double pxMm) {
        const int cx = int(mmX * pxMm), cy = int(mmY * pxMm);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (QColor(pic->image().pixel(cx + dx, cy + dy)) == dot) return true;
        return false;
    };
    EXPECT_TRUE(dotNear(50, 100, pxPerMm));
    EXPECT_TRUE(dotNear(100, 150, pxPerMm));
    EXPECT_FALSE(dotNear(52.5, 102.5, pxPerMm));
    w.CmbZoom->setCurrentIndex(velmora::anteprima::indiceZoom(200));
    const double px2 = pic->dpiX() / 25.4 * p.job->stato().FattoreScala;
    EXPECT_NEAR(px2, 2 * pxPerMm, 0.01 * pxPerMm);
    EXPECT_TRUE(dotNear(60, 120, px2));
    EXPECT_FALSE(dotNear(62.5, 122.5, px2));
}

TEST(FrmStampaSettings, AidsSwitchByKeyAndAreStored) {
    Preview p(1);
    frmStampa& w = p.open();
    QApplication::setActiveWindow(&w);
    QTest::keyClick(&w, Qt::Key_F7);
    QTest::keyClick(&w, Qt::Key_F8);
    QTest::keyClick(&w, Qt::Key_F8);
    EXPECT_EQ(w.impostazioni().GridAttivo, 1);
    EXPECT_EQ(w.impostazioni().OrtoAttivo, 0);
    w.close();
    EXPECT_EQ(p.settings.get(velmora::titoloLibreria(), "Grid", "Attivo", ""), "1");
    EXPECT_EQ(p.settings.get(velmora::titoloLibreria(), "Orto", "Attivo", ""), "0");
}

TEST(FrmStampaSettings, PlacementOffEveryScreenFallsBackToTheDefault) {
    Preview p(1);
    const QString app = velmora::titoloLibreria();
    p.settings.save(app, "frmStampa", "Left", "900000");
    p.settings.save(app, "frmStampa", "Top", "900000");
    frmStampa w(frmStampa::Servizi{&p.prompter, &p.settings, &p.shell});
    const QRect area = w.screen()->availableGeometry();
    EXPECT_TRUE(area.intersects(w.geometry()));
    EXPECT_NEAR(w.geometry().width(), area.width() * 0.8, 2);

    p.settings.save(app, "frmStampa", "Left", "1500");
    p.settings.save(app, "frmStampa", "Top", "1500");
    p.settings.save(app, "frmStampa", "Width", "9000");
    p.settings.save(app, "frmStampa", "Height", "6000");
    frmStampa w2(frmStampa::Servizi{&p.prompter, &p.settings, &p.shell});
    const double twPx = 1440.0 / w2.logicalDpiX();
    EXPECT_EQ(w2.geometry(),
              QRect(int(1500 / twPx), int(1500 / twPx), int(9000 / twPx), int(6000 / twPx)));
}
