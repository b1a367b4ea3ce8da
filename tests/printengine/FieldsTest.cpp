// Data fields, column fields, the body-row grid, VAT summaries, the carcass
// identifier, delivery-note rows and the label grid: the placeholder each prints,
// and where, compared with the plain text or lines it must equal.

#include <QImage>

#include <gtest/gtest.h>

#include "Errore.h"
#include "JobTestSupport.h"
#include "Registry.h"
#include "StampaCampi.h"
#include "Surface.h"
#include "ValoriComando.h"

using namespace velmora;

namespace {

const QString kFont =
    "|Carattere=Arial|Altezza=10,00|Col=0|Angolo=0|Grassetto=False|Sottolineato=False|"
    "Barrato=False|Corsivo=False|Opaco=False|ColoreOpaco=16777215|";

QString colonna(const QString& nome, double y, const QString& nCar = "0") {
    return "|Campo=" + nome + "|x1=20|x2=40|Y=" + QString::number(y) +
           "|Carattere=Arial|Altezza=8,00|Col=0|Angolo=0|Grassetto=False|Sottolineato=False|"
           "Barrato=False|Corsivo=False|Opaco=False|ColoreOpaco=16777215|DX=1|NCar=" +
           nCar + "|";
}

int inchiostro(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white)) ++n;
    return n;
}

// A job on the raster printer at 100 dpi; a page recorded in preview mode is
// replayed on paper as the command line renders it.
struct Carta {
    JobFixture f{platform::Printer::rasterPrinterName()};
    Carta() { f.j().printer().setResolution(100); }
    clsModStampa& j() { return f.j(); }
    QImage pagina() {
        EXPECT_TRUE(j().printer().endDoc());
        const auto& pages = j().printer().rasterPages();
        return pages.isEmpty() ? QImage() : pages[0];
    }
    // Commands drawn one by one in direct mode.
    QImage diretti(const QList<QPair<QString, QString>>& comandi) {
        for (const auto& c : comandi) j().eseguiComando(c.first, c.second, true);
        return pagina();
    }
    // Commands recorded as page 1, then the page replayed on paper.
    QImage replay(const QList<QPair<QString, QString>>& comandi) {
        j().setAnteprima(true);
        for (const auto& c : comandi) j().AggiungiClasseComando(c.first, c.second);
        j().newPage();
        j().StampaPagina(1);
        return pagina();
    }
};

QString linea(double x1, double y1, double x2, double y2) {
    return QString("|x1=%1|y1=%2|x2=%3|y2=%4|Col=255|TipoCont=0|SpesCont=0,00|")
        .arg(x1)
        .arg(y1)
        .arg(x2)
        .arg(y2);
}

}  // namespace

TEST(Fields, PlaceholdersOfEveryKind) {
    const QString id =
        "|x1=10|y1=10|Carattere=Arial|Altezza=10|Col=0|Angolo=0|Grassetto=False|"
        "Sottolineato=False|Barrato=False|Corsivo=False|Opaco=False|"
        "ColoreOpaco=0|NCar=0|";
    struct Case {
        QString oggetto, spec, atteso;
    } cases[] = {
        {"Campo Cliente", "|Campo=RagioneSociale|x1=1|NCar=20|", "<RagioneSociale____>"},
        {"Campo Cliente", "|Campo=RagioneSociale|x1=1|NCar=10|", "<RagioneS>"},
        {"Campo Cliente", "|Campo=RagioneSociale|x1=1|NCar=0|", "<RagioneSociale>"},
        {"Campo Cliente", "|Campo=RagioneSociale|x1=1|", "<RagioneSociale>"},
        {"Campo Documento", "|Campo=Numero|NCar=10,5|", "<Numero__>"},  // 10 - 2
        {"Campo Colonna", "|Campo=Quantità|x1=20|Y=100|DX=2|NCar=12|", "<Quant.____>"},
        {"Campo Colonna", "|Campo=Quantità|x1=20|Y=100|DX=2|NCar=10|", "<Quant.>"},
        {"Campo Colonna AttMac", "|Campo=Sconto|x1=0|Y=0|NCar=10|", "<S.to____>"},
        {"Campo Colonna", "|Campo=UnitMis|x1=0|Y=0|NCar=0|", "<U.M.>"},
        {"Campo Colonna", "|Campo=Descrizione|x1=0|Y=0|NCar=6|", "<Desc>"},
        {"Riepilogo Imponibile IVA", "|IVA=22|NCar=12|", "<Impon22%__>"},
        {"Riepilogo Imposta x AliquotaIVA", "|IVA=4|NCar=0|", "<Impost4%>"},
        {"IdCarcassa", "|NCaratteri=(1,8)" + id, "12345678"},
        {" IdCarcassa ", "|NCaratteri=(3,5)" + id, "345"},
        {"IdCarcassa", "|NCaratteri=(15,40)" + id, "567890"},
        {"Rigo DDTMac", "|Rigo=Quantità_001|NCar=20|", "<Q.001" + QString(13, '_') + ">"},
        {"Rigo DDTMac", "|Rigo=Peso_002|", "<P.002>"},
        // The label is not cut; the text's own width still applies.
        {" Rigo DDTMac", "|Rigo=Descrizione|NCar=6|", "<Descr"},
        {"Codice a Barre", "|TipoCodice=EAN13|Campo=400638133393|", "Ä(0Q63YR*DDDJDB)"},
        {"Codice a Barre", "|TipoCodice=EAN13|Campo=4006381333931|NCar=8|", "À(000400*GDIBDB)"},
        {"Codice a Barre", "|TipoCodice=EAN8|Campo=9638507|", "(9638*FAHE)"},
        {"Codice a Barre", "|TipoCodice=UPC-A|Campo=03600029145|", "À(a36000*CJBEFs)Â"},
        {"Codice a Barre", "|TipoCodice=UPC-E|Campo=123456|", "À(R23UV6+Å"},
        {"Codice a Barre", "|TipoCodice=QR|Campo=ABC 12|", "ABC 12"},
        {"Impostazioni Righe", "|NRighexPagina=3|", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(campi::testoStampato(c.oggetto, c.spec), c.atteso)
            << c.oggetto.toStdString() << " " << c.spec.toStdString();
}

TEST(Fields, FieldsPrintTheirPlaceholderWhereTheTextWouldBe) {
    struct Case {
        QString oggetto, spec, testo;
    } cases[] = {
        {"Campo Cliente", "|Campo=RagioneSociale|x1=30|y1=40" + kFont + "NCar=20|",
         "|Testo=<RagioneSociale____>|x1=30|y1=40" + kFont + "NCar=20|"},
        // DX right of the column's edge, 1 mm below its top.
        {"Campo Colonna RegVet", "|Campo=Quantità|x1=20|x2=40|Y=100" + kFont + "DX=2|NCar=12|",
         "|Testo=<Quant.____>|x1=22,00|y1=101,00" + kFont + "NCar=12|"},
        {"Riepilogo Imponibile IVA", "|IVA=22|x1=50|y1=60" + kFont + "NCar=12|",
         "|Testo=<Impon22%__>|x1=50|y1=60" + kFont + "NCar=12|"},
        {" IdCarcassa ", "|NCaratteri=(1,8)|x1=10|y1=20" + kFont + "NCar=0|",
         "|Testo=12345678|x1=10|y1=20" + kFont + "NCar=0|"},
        {"Rigo DDTMac", "|Rigo=Peso_002|x1=70|y1=80" + kFont + "NCar=0|",
         "|Testo=<P.002>|x1=70|y1=80" + kFont + "NCar=0|"},
    };
    for (const Case& c : cases) {
        Carta campo, testo;
        const QImage a = campo.diretti({{c.oggetto, c.spec}});
        const QImage b = testo.diretti({{"Testo", c.testo}});
        EXPECT_GT(inchiostro(b), 50) << c.oggetto.toStdString();
        EXPECT_TRUE(a == b) << c.oggetto.toStdString();
        EXPECT_TRUE(campo.f.prompter.shown().isEmpty());

        // The same on the preview's page picture, at twice the size.
        auto figura = [&](const QString& nome, const QString& spec) {
            JobFixture f{platform::Printer::rasterPrinterName()};
            platform::PictureSurface pic(int(120 / 25.4 * 96 * 2), int(120 / 25.4 * 96 * 2), 96);
            f.j().setAnteprima(true);
            f.j().stato().PicPrinter = &pic;
            f.j().stato().FattoreScala = 2;
            f.j().Pic_VisualizzaOggetto(nome, spec, true);
            return pic.image();
        };
        const QImage pa = figura(c.oggetto, c.spec);
        const QImage pb = figura("Testo", c.testo);
        EXPECT_GT(inchiostro(pb), 50) << c.oggetto.toStdString();
        EXPECT_TRUE(pa == pb) << c.oggetto.toStdString();
    }
}

TEST(Fields, BodyRowGridUnderEachColumn) {
    const QString righe =
        "|NRighexPagina=3|Altezza=5|Linee Verticali=SI|Linee Orizzontali=SI|"
        "Col=255|TipoCont=0|SpesCont=0|";
    Carta modello, atteso;
    const QImage a = modello.replay(
        {{"Campo Colonna", colonna("Descrizione", 100)}, {"Impostazioni Righe", righe}});
    // The column, then for each row its line and (but the last) its text, then the edges.
    const QImage b = atteso.diretti({
        {"Campo Colonna", colonna("Descrizione", 100)},
        {"Linea", linea(20, 105, 40, 105)},
        {"Campo Colonna", colonna("Descrizione", 105)},
        {"Linea", linea(20, 110, 40, 110)},
        {"Campo Colonna", colonna("Descrizione", 110)},
        {"Linea", linea(20, 115, 40, 115)},
        {"Linea", linea(20, 100, 20, 105)},
        {"Linea", linea(40, 100, 40, 105)},
        {"Linea", linea(20, 105, 20, 110)},
        {"Linea", linea(40, 105, 40, 110)},
        {"Linea", linea(20, 110, 20, 115)},
        {"Linea", linea(40, 110, 40, 115)},
    });
    EXPECT_TRUE(modello.f.prompter.shown().isEmpty());
    EXPECT_GT(inchiostro(b), 100);
    EXPECT_TRUE(a == b);
    // The replay laid out its own page; no page is shown afterwards as before.
    EXPECT_EQ(modello.j().stato().nPagCorr, 0);
    // Spot checks on the paper: red lines at 105 and 115 mm, none below the grid.
    const double px = 100 / 25.4;
    EXPECT_EQ(a.pixelColor(int(30 * px), qRound(105 * px)), QColor(255, 0, 0));
    EXPECT_EQ(a.pixelColor(int(20 * px), qRound(112 * px)), QColor(255, 0, 0));
    EXPECT_EQ(a.pixelColor(int(40 * px), qRound(112 * px)), QColor(255, 0, 0));
    EXPECT_EQ(a.pixelColor(int(30 * px), qRound(120 * px)), QColor(Qt::white));
}

TEST(Fields, LabelGridRepeatsThePage) {
    // The page's objects, shifted by dx, dy millimetres.
    auto linea = [](double dx, double dy) {
        return QString("|x1=%1|y1=%2|x2=%3|y2=%2|Col=0|SpesCont=0,5|")
            .arg(specifica::fisso2(5 + dx), specifica::fisso2(5 + dy), specifica::fisso2(25 + dx));
    };
    auto testo = [](double dx, double dy) {
        return QString("|Testo=Etichetta|x1=%1|y1=%2").arg(5 + dx).arg(8 + dy) + kFont + "NCar=0|";
    };
    auto campo = [](double dx, double dy) {
        return QString("|Campo=Nome|x1=%1|y1=%2").arg(5 + dx).arg(14 + dy) + kFont + "NCar=0|";
    };
    Carta modello, atteso;
    const QImage a = modello.replay({{"Linea", linea(0, 0)},
                                     {"Testo", testo(0, 0)},
                                     {"Campo Cliente", campo(0, 0)},
                                     {"Array Etichette", "|NX=3|DX=70|NY=2|DY=40|"}});
    QList<QPair<QString, QString>> attesi = {
        {"Linea", linea(0, 0)}, {"Testo", testo(0, 0)}, {"Campo Cliente", campo(0, 0)}};
    // Each object in every cell, across (outer) then down (inner); cell 1,1 once more.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) attesi << qMakePair(QString("Linea"), linea(70 * i, 40 * j));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) attesi << qMakePair(QString("Testo"), testo(70 * i, 40 * j));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j)
            attesi << qMakePair(QString("Campo Cliente"), campo(70 * i, 40 * j));
    const QImage b = atteso.diretti(attesi);
    EXPECT_TRUE(modello.f.prompter.shown().isEmpty());
    EXPECT_TRUE(a == b);
    // The sixth label, 140 mm across and 40 mm down, has its line; no seventh.
    const double px = 100 / 25.4;
    EXPECT_EQ(a.pixelColor(int(155 * px), qRound(45 * px)), QColor(Qt::black));
    EXPECT_EQ(a.pixelColor(int(195 * px), qRound(45 * px)), QColor(Qt::white));
    EXPECT_EQ(a.pixelColor(int(155 * px), qRound(85 * px)), QColor(Qt::white));
}

TEST(Fields, FailuresShowTheirMessage) {
    struct Case {
        QString oggetto, spec, riga, mostrata;
        int errore;
    } cases[] = {
        {"Campo Colonna", "|Campo=Quantità|x1=abc|Y=100|NCar=12|",
         "Errore nella Stampa del Campo Colonna Quantità",
         "|Testo=<Quant.____>|x1=abc|Y=100|NCar=12|", ErrTipo},
        {"IdCarcassa", "|NCaratteri=(x,3)|x1=1|", "Errore nella Stampa dell'IdCarcassa",
         "|NCaratteri=(x,3)|x1=1|", ErrTipo},
        {"IdCarcassa", "|NCaratteri=(1,3)|x1=1|", "Errore nella Stampa dell'IdCarcassa",
         "|NCaratteri=(1,3)|x1=1|", ErrIndice},  // fewer fields than the order has
        {"Codice a Barre", "|TipoCodice=EAN8|Campo=1|Altezza=10|Angolo=tanto|",
         "Errore nella Stampa del Codice a Barre.",
         "|TipoCodice=EAN8|Campo=1|Altezza=10|Angolo=tanto|", ErrTipo},
        {"Impostazioni Righe", "|NRighexPagina=molte|",
         "Errore nella Stampa delle Linee del Corpo del Documento", "|NRighexPagina=molte|",
         ErrTipo},
    };
    for (const Case& c : cases) {
        Carta b;
        b.f.prompter.answerMessage();
        b.replay({{c.oggetto, c.spec}});
        ASSERT_EQ(b.f.prompter.messages().size(), 1) << c.oggetto.toStdString();
        EXPECT_EQ(b.f.prompter.messages()[0], c.riga + "\n" + descrizioneErrore(c.errore) +
                                                  "\nSpecifica di Stampa:\n" + c.mostrata);
        EXPECT_EQ(b.f.prompter.beeps(), 1);
    }
}

TEST(Fields, LabelGridStopsAtTheRowGrid) {
    Carta b;
    const QString righe = "|NRighexPagina=2|Altezza=5|Linee Verticali=SI|";
    b.f.prompter.answerMessage();
    b.replay({{"Impostazioni Righe", righe}, {"Array Etichette", "|NX=2|DX=70|NY=1|DY=0|"}});
    ASSERT_EQ(b.f.prompter.messages().size(), 1);
    EXPECT_EQ(b.f.prompter.messages()[0],
              "Errore nella Stampa degli Oggetti Array\n" + descrizioneErrore(ErrTipo) +
                  "\nOggetto: Impostazioni Righe\nSpecifica di Stampa:\n" + righe);
}

TEST(Fields, RoutingAndRecording) {
    Carta b;
    b.j().setAnteprima(true);
    auto obj = [&](const QString& o, const QString& s) {
        com::BSTR bo = com::toBstr(o), bs = com::toBstr(s);
        com::VARIANT_BOOL a = com::VARIANT_TRUE;
        const com::HRESULT hr = b.j().StampaObjModel(&bo, &bs, &a);
        com::SysFreeString(bo);
        com::SysFreeString(bs);
        return hr;
    };
    // Without a page shown the grids fail to the caller, silently, recording nothing.
    EXPECT_NE(obj("Impostazioni Righe", "|NRighexPagina=2|"), com::S_OK);
    EXPECT_NE(obj("Array Etichette", "|NX=2|"), com::S_OK);
    try {
        campi::stampaLineeCorpoDoc(b.j(), "|NRighexPagina=2|", true);
        ADD_FAILURE() << "no page shown";
    } catch (const Errore& e) {
        EXPECT_EQ(e.numero(), ErrIndice);
    }
    // An unknown summary kind records nothing and says so.
    com::BSTR s = com::toBstr("|IVA=22|"), t = com::toBstr("Altro");
    com::VARIANT_BOOL a = com::VARIANT_TRUE;
    EXPECT_EQ(b.j().StampaRiepilogoIVA(&s, &t, &a), com::E_INVALIDARG);
    com::SysFreeString(s);
    com::SysFreeString(t);

    const char* nomi[] = {"Campo Cliente",
                          "Campo Colonna RegVet",
                          "Riepilogo Imponibile IVA",
                          "Riepilogo Imposta x AliquotaIVA",
                          " IdCarcassa ",
                          "Rigo DDTMac  ",
                          "Codice a Barre",
                          "New Page",
                          "Sconosciuto"};
    for (const char* n : nomi) EXPECT_EQ(obj(n, "|x1=1|"), com::S_OK) << n;
    b.j().newPage();
    b.j().stato().nPagCorr = 1;
    EXPECT_EQ(obj("Impostazioni Righe", "|NRighexPagina=2|"), com::S_OK);
    EXPECT_EQ(obj("Array Etichette", "|NX=2|"), com::S_OK);
    // Recorded on the page shown.
    EXPECT_EQ(namesOf(*(*b.j().Pagine())[0]),
              QStringList({"Campo Cliente", "Campo Colonna", "Riepilogo Imponibile IVA",
                           "Riepilogo Imposta x AliquotaIVA", "IdCarcassa", "Rigo DDTMac",
                           "Codice a Barre", "New Page", "Impostazioni Righe", "Array Etichette"}));
}

TEST(Fields, MeasuredBoxOfAField) {
    const QString spec = "|Rigo=Peso_002|x1=70|y1=80" + kFont + "NCar=0|";
    const QSizeF box = campi::misuraTestoStampato("Rigo DDTMac", spec);
    // "<P.002>" in 10-point Arial: about 13 mm wide, one line (3.5 mm) high.
    EXPECT_GT(box.width(), 8);
    EXPECT_LT(box.width(), 20);
    EXPECT_NEAR(box.height(), 4, 1.2);
    const QSizeF piu = campi::misuraTestoStampato(
        "Rigo DDTMac", "|Rigo=Peso_002|x1=70|y1=80" + kFont + "NCar=20|");
    EXPECT_GT(piu.width(), box.width());
    EXPECT_TRUE(campi::misuraTestoStampato("Linea", "|x1=1|").isEmpty());
}
