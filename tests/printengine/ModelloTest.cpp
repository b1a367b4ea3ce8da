#include <QFile>
#include <QTemporaryDir>

#include "Errore.h"
#include "JobTestSupport.h"
#include "ModelloStampa.h"

using namespace velmora;

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QList<QPair<QString, QString>> commandsOf(const clsModStampa& j, int page) {
    QList<QPair<QString, QString>> r;
    for (const auto& c : (*j.Pagine())[page]->Comandi())
        r << qMakePair(c->NomeComando, c->StringaComando);
    return r;
}

QByteArray header() {
    return "[PaperSize]:9\r\n[Orientamento]:1\r\n[PrintyQuality]:-4\r\n[tipo_camp_Sup]:7\r\n"
           "[col_camp_Sup]:0\r\n[col_contorno_Sup]:0\r\n[spes_contorno_Sup]:0.25\r\n"
           "[tipo_contorno_Sup]:0\r\n[col_Linea]:0\r\n[tipo_Linea]:0\r\n[spes_Linea]:0,250\r\n"
           "[CarattereTesto_gen]:Arial\r\n[DimensTesto_gen]:10\r\n[BoldTesto_gen]:False\r\n"
           "[CorsivoTesto_gen]:False\r\n[BarratoTesto_gen]:False\r\n"
           "[SottolineatoTesto_gen]:False\r\n[ColoreTesto_gen]:0\r\n[OpacoTesto_gen]:False\r\n"
           "[ColoreOpacoTesto_gen]:16777215\r\n";
}

QByteArray entry(const char* name, const char* spec) {
    return QByteArray("OGGETTO  : \r\n") + name + "\r\nSPECIFICA: \r\n" + spec + "\r\n";
}
}  // namespace

TEST(Modello, WritesTheExactFormat) {
    QTemporaryDir dir;
    JobFixture f(platform::Printer::rasterPrinterName());
    f.j().setAnteprima(true);
    f.j().AggiungiClasseComando("Linea", "|x1=10,00|y1=20,00|");
    f.j().newPage();
    f.j().AggiungiClasseComando("Testo", "|Testo=è così|");
    f.j().endDoc();
    f.j().NomeDocumento = dir.filePath("doc.DSS");
    f.j().salvaModello();
    const QByteArray expected = header() + entry("Linea", "|x1=10,00|y1=20,00|") +
                                entry("New Page", "") + entry("Testo", "|Testo=\xE8 cos\xEC|");
    EXPECT_EQ(readAll(dir.filePath("doc.DSS")), expected);
}

TEST(Modello, TwoPageModelRoundTrip) {
    QTemporaryDir dir;
    const QString path = dir.filePath("m.VLM");
    writeAll(path, header() + entry("New Page", "") + entry("Linea", "|x1=1|") +
                       entry("Cerchio", "|x1=2|") + entry("New Page", "") +
                       entry("Testo", "|Testo=b|"));
    JobFixture f;
    f.j().NomeDocumento = path;
    f.j().leggiModello();
    ASSERT_EQ(f.j().PagineTotAnteprima(), 2);
    using P = QPair<QString, QString>;
    EXPECT_EQ(commandsOf(f.j(), 0),
              QList<P>({P("New Page", ""), P("Linea", "|x1=1|"), P("Cerchio", "|x1=2|")}));
    EXPECT_EQ(commandsOf(f.j(), 1), QList<P>({P("New Page", ""), P("Testo", "|Testo=b|")}));
    EXPECT_EQ(f.j().stato().nPagCorr, 2);

    // Saved again, the same bytes; read again, the same pages.
    const QString again = dir.filePath("again.VLM");
    f.j().NomeDocumento = again;
    f.j().salvaModello();
    EXPECT_EQ(readAll(again), readAll(path));
    JobFixture g;
    g.j().NomeDocumento = again;
    g.j().leggiModello();
    ASSERT_EQ(g.j().PagineTotAnteprima(), 2);
    EXPECT_EQ(commandsOf(g.j(), 0), commandsOf(f.j(), 0));
    EXPECT_EQ(commandsOf(g.j(), 1), commandsOf(f.j(), 1));
    EXPECT_TRUE(f.prompter.shown().isEmpty());
}

TEST(Modello, RecordedDocumentKeepsItsPageCount) {
    QTemporaryDir dir;
    JobFixture f;
    f.j().setAnteprima(true);
    for (int p = 0; p < 3; ++p) {
        if (p) f.j().newPage();
        for (int c = 0; c < 4; ++c)
            f.j().AggiungiClasseComando("Testo", QStringLiteral("|Testo=%1.%2|").arg(p).arg(c));
    }
    f.j().endDoc();
    f.j().NomeDocumento = dir.filePath("d.DSS");
    f.j().salvaModello();

    JobFixture g;
    g.j().NomeDocumento = f.j().NomeDocumento;
    g.j().leggiModello();
    ASSERT_EQ(g.j().PagineTotAnteprima(), 3);
    for (int p = 0; p < 3; ++p) {
        QStringList texts;
        for (const auto& c : (*g.j().Pagine())[p]->Comandi())
            if (c->NomeComando == "Testo") texts << c->StringaComando;
        EXPECT_EQ(texts.size(), 4);
        EXPECT_EQ(texts.first(), QStringLiteral("|Testo=%1.0|").arg(p));
    }
}

TEST(Modello, HeaderValuesRoundTrip) {
    QTemporaryDir dir;
    JobFixture f(platform::Printer::rasterPrinterName());
    auto& a = f.j().stato().attributi;
    a.spes_Linea = 0.25f;
    a.spes_contorno_Sup = 0.5f;
    a.col_camp_Sup = 16711680;
    a.tipo_contorno_Sup = -1;
    a.CarattereTesto_gen = "Times New Roman";
    a.DimensTesto_gen = 12;
    a.BoldTesto_gen = true;
    a.OpacoTesto_gen = true;
    a.ColoreOpacoTesto_gen = 65280;
    f.j().setOrientation(2);
    f.j().setPaperSize(11);
    f.j().NomeDocumento = dir.filePath("h.VLM");
    f.j().salvaModello();
    const QByteArray bytes = readAll(f.j().NomeDocumento);
    EXPECT_TRUE(bytes.contains("[spes_Linea]:0,250\r\n"));
    EXPECT_TRUE(bytes.contains("[spes_contorno_Sup]:0.5\r\n"));
    EXPECT_TRUE(bytes.contains("[tipo_contorno_Sup]:-1\r\n"));
    EXPECT_TRUE(bytes.contains("[BoldTesto_gen]:True\r\n"));
    EXPECT_TRUE(bytes.startsWith("[PaperSize]:11\r\n[Orientamento]:2\r\n"));

    JobFixture g(platform::Printer::rasterPrinterName());
    g.j().ImpostaPagina_Modello(f.j().NomeDocumento);
    EXPECT_EQ(g.j().stato().attributi, a);
    EXPECT_EQ(g.j().printer().orientation(), 2);
    EXPECT_EQ(g.j().printer().paperSize(), 11);
}

TEST(Modello, UnsupportedPaperSizeIsIgnored) {
    QTemporaryDir dir;
    QByteArray h = header();
    h.replace("[PaperSize]:9", "[PaperSize]:77");
    h.replace("[DimensTesto_gen]:10", "[DimensTesto_gen]:dieci");
    writeAll(dir.filePath("p.VLM"), h + entry("Linea", "|x1=1|"));
    JobFixture f(platform::Printer::rasterPrinterName());
    f.j().setPaperSize(8);
    f.j().NomeDocumento = dir.filePath("p.VLM");
    f.j().leggiModello();
    EXPECT_EQ(f.j().printer().paperSize(), 8);
    EXPECT_EQ(f.j().stato().attributi.DimensTesto_gen, 10);  // unchanged
    EXPECT_EQ(f.j().PagineTotAnteprima(), 1);
    EXPECT_TRUE(f.prompter.shown().isEmpty());
}

TEST(Modello, LabelReadsAsTestoAndUnknownNamesAsk) {
    QTemporaryDir dir;
    const QString path = dir.filePath("u.VLM");
    writeAll(path, header() + entry("Label", "|Testo=L|") + entry("Freccia", "|x1=1|") +
                       entry("Ovale", "|x1=2|") + entry("Stella", "|x1=3|") +
                       entry("Linea", "|x1=4|"));
    JobFixture f;
    f.prompter
        .answerInput(std::nullopt)               // Freccia: cancelled
        .answerInput(QStringLiteral("Cerchio"))  // Ovale becomes Cerchio
        .answerInput(QStringLiteral("Ancora"))   // Stella: another unknown name...
        .answerInput(QString());                 // ... then dropped
    f.j().NomeDocumento = path;
    f.j().leggiModello();
    EXPECT_TRUE(f.prompter.allAnswered());
    ASSERT_EQ(f.j().PagineTotAnteprima(), 1);
    using P = QPair<QString, QString>;
    EXPECT_EQ(commandsOf(f.j(), 0), QList<P>({P("New Page", ""), P("Testo", "|Testo=L|"),
                                              P("Cerchio", "|x1=2|"), P("Linea", "|x1=4|")}));
    ASSERT_EQ(f.prompter.shown().size(), 4);
    const auto& s = f.prompter.shown()[0];
    EXPECT_EQ(s.title, QStringLiteral("Comando Non Valido"));
    EXPECT_EQ(s.text, QStringLiteral("Lettura File: ") + path +
                          "\n\nOggetto Comando: \"Freccia\" non gestibile nell'attuale versione "
                          "del software.\n\nSe si desidera, è possibile modificare il nome del "
                          "Comando.\n\nSpecificare il Nome da assegnare al Comando, in "
                          "sostituzione di \"Freccia\"\nOppure premere Annulla per non "
                          "registrare lo stesso.");
    EXPECT_TRUE(f.prompter.shown()[3].text.contains("\"Ancora\""));
}

TEST(Modello, UnreadableFileLeavesTheJobAlone) {
    JobFixture f;
    f.j().setAnteprima(true);
    f.j().AggiungiClasseComando("Linea", "|x1=1|");
    f.j().newPage();
    f.prompter.answerMessage();
    f.j().NomeDocumento = "/nonexistent/none.VLM";
    f.j().leggiModello();
    EXPECT_EQ(f.j().PagineTotAnteprima(), 1);
    ASSERT_EQ(f.prompter.shown().size(), 1);
    EXPECT_EQ(f.prompter.shown()[0].text,
              QStringLiteral("Errore nella lettura del Modello di Stampa.\nFase: Apertura File: "
                             "/nonexistent/none.VLM\n\nImpossibile trovare il file"));
}

TEST(Modello, TruncatedFileLoadsWhatItHasAndSaysSo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.VLM");
    QByteArray bytes = header() + entry("Linea", "|x1=1|") + entry("Testo", "|Testo=x|");
    bytes.chop(QByteArray("SPECIFICA: \r\n|Testo=x|\r\n").size());
    writeAll(path, bytes);
    JobFixture f;
    f.prompter.answerMessage();
    f.j().NomeDocumento = path;
    f.j().leggiModello();
    ASSERT_EQ(f.j().PagineTotAnteprima(), 1);
    EXPECT_EQ(namesOf(*(*f.j().Pagine())[0]), QStringList({"New Page", "Linea"}));
    ASSERT_EQ(f.prompter.shown().size(), 1);
    EXPECT_TRUE(f.prompter.shown()[0].text.startsWith(
        "Errore nella lettura del Modello di Stampa.\nFase: "));
    EXPECT_TRUE(f.prompter.shown()[0].text.endsWith("Input oltre la fine del file"));
}

TEST(Modello, LineBreaksAndForeignCharactersSurvive) {
    QTemporaryDir dir;
    JobFixture f;
    f.j().setAnteprima(true);
    const QString memo = QStringLiteral("|Testo=riga uno\r\nriga due \u221A\u03C9 \x1F fine|x1=1|");
    f.j().AggiungiClasseComando("Testo Esteso", memo);
    f.j().AggiungiClasseComando("Testo", "|Testo=C:\\dir\\new.bmp €|");
    f.j().endDoc();
    f.j().NomeDocumento = dir.filePath("e.VLM");
    f.j().salvaModello();
    const QByteArray bytes = readAll(f.j().NomeDocumento);
    // One line per specification; the plain text stays plain.
    EXPECT_TRUE(
        bytes.contains("|Testo=riga uno\x1Fr\x1Fnriga due \x1Fu221A\x1Fu03C9 \x1F\x1F fine|"));
    EXPECT_TRUE(bytes.contains("|Testo=C:\\dir\\new.bmp \x80|\r\n"));

    JobFixture g;
    g.j().NomeDocumento = f.j().NomeDocumento;
    g.j().leggiModello();
    ASSERT_EQ(g.j().PagineTotAnteprima(), 1);
    const auto& c = (*g.j().Pagine())[0]->Comandi();
    ASSERT_EQ(c.size(), 3);
    EXPECT_EQ(c[1]->StringaComando, memo);
    EXPECT_EQ(c[2]->StringaComando, "|Testo=C:\\dir\\new.bmp €|");
}

TEST(Modello, FailedSaveKeepsTheOldFile) {
    QTemporaryDir dir;
    JobFixture f;
    f.j().NomeDocumento = dir.filePath("missing/x.VLM");
    try {
        f.j().salvaModello();
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const Errore& e) {
        EXPECT_EQ(e.numero(), ErrPercorso);
    }
    f.j().NomeDocumento.clear();
    EXPECT_THROW(f.j().salvaModello(), Errore);
    // The component face reports the failure to the caller.
    EXPECT_TRUE(com::FAILED(f.j().SalvaModello()));
}

TEST(Modello, EntryParsing) {
    struct Case {
        QByteArray body;
        int entries;
        int incomplete;
        bool truncated;
    };
    const Case cases[] = {
        {entry("Linea", "|a|"), 1, 0, false},
        {"OGGETTO  : \r\n", 0, 1, true},
        {"OGGETTO  : \r\nLinea\r\n", 0, 1, true},  // the name is the last line
        {"OGGETTO  : \r\n   \r\nSPECIFICA: \r\n|a|\r\n" + entry("Linea", "|b|"), 1, 1, false},
        {"OGGETTO  : \r\nLinea\r\nSPECIFICA: \r\n", 1, 1, true},
        {"OGGETTO  : \r\nLinea\r\n" + entry("Cerchio", "|c|"), 2, 1, false},  // next entry kept
        {"rumore\r\n" + entry("Linea", "|a|") + "altro\r\n", 1, 0, false},
    };
    for (const Case& c : cases) {
        auto v = modello::leggiVoci(c.body);
        EXPECT_EQ(v.voci.size(), c.entries) << c.body.toStdString();
        EXPECT_EQ(v.incomplete, c.incomplete) << c.body.toStdString();
        EXPECT_EQ(v.troncato, c.truncated) << c.body.toStdString();
    }
}

TEST(Modello, PageBreakWithATextIsOnlyABreak) {
    QTemporaryDir dir;
    const QString path = dir.filePath("n.VLM");
    writeAll(path, header() + entry("Linea", "|x1=1|") + entry("New Page", "|x1=2|") +
                       entry("Linea", "|x1=3|"));
    JobFixture f;
    f.j().NomeDocumento = path;
    f.j().leggiModello();
    ASSERT_EQ(f.j().PagineTotAnteprima(), 2);
    EXPECT_EQ(namesOf(*(*f.j().Pagine())[1]), QStringList({"New Page", "Linea"}));
    EXPECT_TRUE((*f.j().Pagine())[1]->Comandi()[0]->StringaComando.isEmpty());
}
