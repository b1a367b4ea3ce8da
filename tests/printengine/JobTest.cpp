#include <QDir>
#include <QTemporaryDir>

#include "Errore.h"
#include "JobTestSupport.h"
#include "Registry.h"

using namespace velmora;

TEST(Job, DirectJobRecordsNothing) {
    JobFixture f;
    EXPECT_FALSE(f.j().documentoInAnteprima());
    EXPECT_FALSE(f.j().AggiungiClasseComando("Linea", "|x1=1|"));
    EXPECT_EQ(f.j().PagineTotAnteprima(), 0);
    EXPECT_EQ(f.j().Pagine(), nullptr);
    // Page is the printer's own page number.
    EXPECT_EQ(f.j().Page(), 1);
    EXPECT_TRUE(f.prompter.shown().isEmpty());
}

TEST(Job, DirectJobDrivesThePrinter) {
    QTemporaryDir dir;
    JobFixture f;
    const QString pdf = dir.filePath("out.pdf");
    f.j().printer().setOutputFile(pdf);
    f.j().newPage();
    EXPECT_EQ(f.j().Page(), 2);
    f.j().endDoc();
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
    EXPECT_EQ(f.windowsOpened, 0);
}

TEST(Job, PreviewPagesAndNewPage) {
    JobFixture f;
    f.j().setAnteprima(true);
    EXPECT_TRUE(f.j().AggiungiClasseComando("Testo", "|Testo=a|"));
    f.j().newPage();
    f.j().newPage();
    f.j().AggiungiClasseComando("Linea", "|x1=1|");
    f.j().newPage();
    EXPECT_EQ(f.j().Page(), 4);
    EXPECT_EQ(f.j().PagineTotAnteprima(), 3);
    f.j().endDoc();
    ASSERT_EQ(f.j().PagineTotAnteprima(), 4);
    const auto& p = *f.j().Pagine();
    EXPECT_EQ(namesOf(*p[0]), QStringList({"Testo", "New Page"}));
    EXPECT_EQ(namesOf(*p[1]), QStringList({"New Page"}));
    EXPECT_EQ(namesOf(*p[2]), QStringList({"Linea", "New Page"}));
    EXPECT_TRUE(namesOf(*p[3]).isEmpty());
    EXPECT_TRUE(p[0]->Comandi()[1]->StringaComando.isEmpty());
    EXPECT_EQ(p[0]->Comandi()[0]->StatoComando, QString());
    // The last page stays the current one; a second EndDoc does not list it twice.
    EXPECT_EQ(f.j().PaginaCorrente(), p[3]);
    f.j().endDoc();
    EXPECT_EQ(f.j().PagineTotAnteprima(), 4);
}

TEST(Job, EndDocOpensTheWindowInOrder) {
    JobFixture f;
    int32_t shownPage = -1;
    f.whileShown = [&](clsModStampa& j) { shownPage = j.stato().nPagCorr; };
    f.j().setAnteprima(true);
    f.j().ErroriSoppressi = true;
    f.j().UltimoErrore = 5;
    f.j().endDoc();
    EXPECT_EQ(f.windowsOpened, 1);
    EXPECT_EQ(f.j().PagineTotAnteprima(), 1);  // one empty page
    EXPECT_EQ(shownPage, 1);
    EXPECT_FALSE(f.j().ErroriSoppressi);
    EXPECT_EQ(f.j().UltimoErrore, 0);
    EXPECT_EQ(f.j().stato().nPagCorr, 0);  // window gone
}

TEST(Job, WindowCallSequence) {
    JobFixture f;
    QStringList seen;
    f.whileShown = [&](clsModStampa&) { seen = f.lastWindow->calls; };
    f.j().setAnteprima(true);
    f.j().endDoc();
    EXPECT_EQ(seen, QStringList({"Init", "ShowFirstPage", "ImpostaForm", "showModal"}));
}

TEST(Job, CommandsLandOnThePageShown) {
    JobFixture f;
    f.j().setAnteprima(true);
    f.j().newPage();
    f.j().newPage();
    f.whileShown = [](clsModStampa& j) {
        j.stato().nPagCorr = 2;
        EXPECT_TRUE(j.AggiungiClasseComando("Cerchio", "|x1=5|"));
        EXPECT_TRUE(j.esisteObj("Cerchio"));
        EXPECT_FALSE(j.esisteObj("cerchio"));
    };
    f.j().endDoc();
    const auto& p = *f.j().Pagine();
    EXPECT_EQ(namesOf(*p[1]), QStringList({"New Page", "Cerchio"}));
    EXPECT_TRUE(namesOf(*p[2]).isEmpty());
}

TEST(Job, AddingToAMissingPageIsReported) {
    JobFixture f;
    f.j().setAnteprima(true);
    f.j().stato().nPagCorr = 3;
    f.prompter.answerMessage();
    EXPECT_FALSE(f.j().AggiungiClasseComando("Linea", "|x1=1|"));
    ASSERT_EQ(f.prompter.shown().size(), 1);
    EXPECT_EQ(f.prompter.shown()[0].title, QStringLiteral("Function Aggiungi Comando - Pag. 3"));
    EXPECT_EQ(f.prompter.shown()[0].text,
              QStringLiteral("Errore nella registrazione del Comando di stampa:\nLinea\n|x1=1|\n\n"
                             "Errore N. 9\nIndice non incluso nell'intervallo"));
}

TEST(Job, AggiungiPaginaAndRemovals) {
    JobFixture f;
    f.j().setAnteprima(true);
    f.j().AggiungiClasseComando("Testo", "|a|");
    f.j().aggiungiPagina();  // drops the page being recorded
    ASSERT_EQ(f.j().PagineTotAnteprima(), 1);
    EXPECT_EQ(namesOf(*(*f.j().Pagine())[0]), QStringList({"New Page"}));

    f.j().stato().nPagCorr = 1;
    f.j().AggiungiClasseComando("Linea", "|x1=1|");
    f.j().AggiungiClasseComando("Linea", "|x1=1|");
    f.j().AggiungiClasseComando("Linea", "|x1=2|");
    f.j().RimuoviComando("Linea", "|x1=1|");
    const auto& c = (*f.j().Pagine())[0]->Comandi();
    ASSERT_EQ(c.size(), 3);
    EXPECT_EQ(c[1]->StringaComando, "|x1=1|");
    EXPECT_EQ(c[2]->StringaComando, "|x1=2|");
    f.j().RimuoviComando("Linea", "|x1=9|");
    EXPECT_EQ(c.size(), 3);

    f.j().aggiungiPagina();
    EXPECT_EQ(f.j().PagineTotAnteprima(), 2);
    EXPECT_FALSE(f.j().EliminaPaginaModello(0));
    EXPECT_FALSE(f.j().EliminaPaginaModello(3));
    EXPECT_EQ(f.j().PagineTotAnteprima(), 2);
    EXPECT_TRUE(f.j().EliminaPaginaModello(1));
    EXPECT_EQ(f.j().PagineTotAnteprima(), 1);
}

TEST(Job, AnteprimaAgainStartsAfresh) {
    JobFixture f;
    f.j().setAnteprima(true);
    f.j().AggiungiClasseComando("Testo", "|a|");
    f.j().newPage();
    f.j().setAnteprima(true);
    EXPECT_EQ(f.j().PagineTotAnteprima(), 0);
    EXPECT_TRUE(f.j().PaginaCorrente()->Comandi().isEmpty());
    f.j().setAnteprima(false);
    EXPECT_EQ(f.j().Pagine(), nullptr);
    EXPECT_FALSE(f.j().AggiungiClasseComando("Testo", "|a|"));
}

TEST(Job, AvviaCreaModuliNeedsPreview) {
    JobFixture f;
    EXPECT_THROW(f.j().avviaCreaModuli(), Errore);
    EXPECT_EQ(f.windowsOpened, 0);
    f.j().setAnteprima(true);
    f.j().avviaCreaModuli();
    EXPECT_EQ(f.windowsOpened, 1);
    ASSERT_EQ(f.j().PagineTotAnteprima(), 1);  // one empty page added
    EXPECT_EQ(namesOf(*(*f.j().Pagine())[0]), QStringList({"New Page"}));
}

TEST(Job, CommandNames) {
    EXPECT_EQ(nomiComandi().size(), 45u);
    EXPECT_TRUE(ComandoValido("Linea"));
    EXPECT_TRUE(ComandoValido("Riepilogo Imposta x AliquotaIVA"));
    EXPECT_TRUE(ComandoValido("New Page"));
    EXPECT_FALSE(ComandoValido("linea"));
    EXPECT_FALSE(ComandoValido("Label"));
    EXPECT_FALSE(ComandoValido("Linea "));
    EXPECT_FALSE(ComandoValido(""));
}

TEST(Job, VertexFlagsKeepTheirValues) {
    ClsComandi c("Polilinea", "|nVert=3|");
    c.setNvert(3);
    c.setVerticeSel(2, true);
    c.setNvert(5);
    EXPECT_TRUE(c.VerticeSel(2));
    EXPECT_FALSE(c.VerticeSel(5));
    c.setNvert(1);
    EXPECT_THROW(c.VerticeSel(2), Errore);
    EXPECT_THROW(c.setVerticeSel(0, true), Errore);
}

TEST(Job, DimensionePagina) {
    EXPECT_DOUBLE_EQ(clsModStampa::DimensionePagina(210, 50), 105);
    EXPECT_DOUBLE_EQ(clsModStampa::DimensionePagina(1.5, 50), 1.5);
    EXPECT_DOUBLE_EQ(clsModStampa::DimensionePagina(100, 150), 150);
    EXPECT_DOUBLE_EQ(clsModStampa::DimensionePagina(100, 0), 100);
}

TEST(Job, SegnalaErroreCanBeSilencedUntilEndDoc) {
    JobFixture f;
    f.j().SegnalaErrore(0);
    EXPECT_TRUE(f.prompter.shown().isEmpty());
    f.prompter.answerMessage().answerMessage(platform::vbNo);
    f.j().SegnalaErrore(482);
    ASSERT_EQ(f.prompter.shown().size(), 2);
    EXPECT_EQ(f.prompter.shown()[0].title, QStringLiteral("clsModStampa"));
    EXPECT_EQ(f.prompter.shown()[0].text,
              QStringLiteral("Errore nella routine di stampa\r\nErrore numero: 482\r\n"
                             "Errore della stampante"));
    EXPECT_EQ(f.prompter.shown()[1].text, QStringLiteral("Visualizzare ulteriori errori ?"));
    EXPECT_EQ(f.prompter.shown()[1].style & 7, platform::vbYesNo);
    EXPECT_EQ(f.j().UltimoErrore, 482);
    f.j().SegnalaErrore(5);
    EXPECT_EQ(f.prompter.shown().size(), 2);
    // EndDoc clears the silence.
    f.j().setAnteprima(true);
    f.j().endDoc();
    f.prompter.answerMessage().answerMessage(platform::vbYes);
    f.j().SegnalaErrore(5);
    EXPECT_EQ(f.prompter.shown().size(), 4);
}

TEST(Job, NomedirCreatesTheFolder) {
    QTemporaryDir dir;
    JobFixture f;
    const QString path = dir.filePath("modelli/sub");
    f.j().setNomedir(path);
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(f.j().nomedir(), path);
    // A file of that name is left alone.
    QFile file(dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    f.j().setNomedir(dir.filePath("file"));
    EXPECT_TRUE(QFileInfo(dir.filePath("file")).isFile());
}

TEST(Job, PercTextLoadedAtCreation) {
    struct Case {
        const char* stored;
        float fc;
        bool message;
    };
    const Case cases[] = {{nullptr, 1.0f, false},
                          {"0,8", 0.8f, false},
                          {"1,5", 1.0f, false},
                          {"0", 1.0f, false},
                          {"abc", 1.0f, true}};
    for (const Case& c : cases) {
        platform::ScriptedPrompter prompter;
        platform::MemorySettingsStore settings;
        if (c.stored) settings.save("Velmora", "FattoreStampa", "Testo", c.stored);
        if (c.message) prompter.answerMessage();
        clsModStampa::Servizi s;
        s.prompter = &prompter;
        s.settings = &settings;
        s.printerName = platform::Printer::pdfPrinterName();
        auto* job = new clsModStampa(s);
        EXPECT_FLOAT_EQ(job->fc, c.fc) << (c.stored ? c.stored : "(none)");
        EXPECT_EQ(prompter.shown().size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(prompter.shown()[0].title,
                      QStringLiteral("Errore nell'inizializzazione della Stampante"));
            EXPECT_TRUE(prompter.shown()[0].text.startsWith("Errore N. 13\n"));
        }
        job->Release();
    }
}

TEST(Job, ADocumentLeftOpenIsPrintedWhenTheJobGoes) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("left.pdf");
    {
        JobFixture f;
        f.j().printer().setOutputFile(pdf);
        f.j().newPage();
    }
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST(Job, DrawingCommandsRecordThemselvesInPreview) {
    JobFixture f;
    f.j().setAnteprima(true);
    com::VARIANT_BOOL on = com::VARIANT_TRUE;
    auto call = [&](const QString& object) {
        com::BSTR o = com::toBstr(object);
        com::BSTR s = com::toBstr(QStringLiteral("|x1=1|"));
        com::HRESULT hr = f.j().StampaObjModel(&o, &s, &on);
        com::SysFreeString(o);
        com::SysFreeString(s);
        return hr;
    };
    struct Case {
        const char* object;
        const char* recorded;  // nullptr: nothing
    };
    const Case cases[] = {
        {"Campo Cliente", "Campo Cliente"},
        {"Campo Colonna AttMac", "Campo Colonna"},
        {"Riepilogo Imponibile IVA", "Riepilogo Imponibile IVA"},
        {"Riepilogo Imposta x AliquotaIVA", "Riepilogo Imposta x AliquotaIVA"},
        {"Codice a Barre", "Codice a Barre"},
        {" Rigo DDTMac ", "Rigo DDTMac"},
        {"IdCarcassa ", "IdCarcassa"},
        {"New Page", nullptr},
        {"Sconosciuto", nullptr},
    };
    for (const Case& c : cases) {
        const auto before = f.j().PaginaCorrente()->Comandi().size();
        EXPECT_EQ(call(c.object), com::S_OK) << c.object;
        const auto& cmds = f.j().PaginaCorrente()->Comandi();
        if (c.recorded) {
            ASSERT_EQ(cmds.size(), before + 1) << c.object;
            EXPECT_EQ(cmds.last()->NomeComando, QString::fromUtf8(c.recorded));
            EXPECT_EQ(cmds.last()->StringaComando, QStringLiteral("|x1=1|"));
        } else {
            EXPECT_EQ(cmds.size(), before) << c.object;
        }
    }
    // The grid objects need the page the window shows.
    EXPECT_EQ(call("Impostazioni Righe"), com::hresultFromErrorNumber(ErrIndice));
    EXPECT_EQ(call("Array Etichette"), com::hresultFromErrorNumber(ErrIndice));
    f.j().newPage();
    f.j().stato().nPagCorr = 1;
    EXPECT_EQ(call("Array Etichette"), com::S_OK);
    EXPECT_EQ(namesOf(*(*f.j().Pagine())[0]).last(), QStringLiteral("Array Etichette"));
    // Extended texts are recorded line by line as texts; without a font part they fail.
    com::BSTR s = com::toBstr(QStringLiteral("|Testo=a|"));
    EXPECT_EQ(f.j().StampaMemo(&s, &on), com::hresultFromErrorNumber(ErrChiamataNonValida));
    com::SysFreeString(s);
}
