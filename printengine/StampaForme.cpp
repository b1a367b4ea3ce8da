// Shape and picture commands of the job: lines, rectangles, circles, arcs,
// polylines, filled surfaces and pictures from files.

#include <QFileInfo>
#include <QImageReader>

#include <array>

#include "Arco.h"
#include "Cerchio.h"
#include "Errore.h"
#include "Prompter.h"
#include "Registry.h"
#include "Rettangolo.h"
#include "Surface.h"
#include "ValoriComando.h"
#include "VbConv.h"
#include "clsModStampa.h"
#include "polilinea.h"
#include "superficie.h"

namespace velmora {

using namespace com;

namespace {

const QChar LF = QLatin1Char('\n');
constexpr int32_t VerdeChiaro = 65280;
constexpr int32_t Grigio = 8421504;
constexpr int32_t Bianco = 16777215;

int32_t evidenzia(int32_t colore, bool attivo) {
    if (attivo) return colore;
    return colore == VerdeChiaro ? Grigio : VerdeChiaro;
}

// A white outline would vanish on the paper.
int32_t nonBianco(int32_t colore) {
    return colore == Bianco ? 0 : colore;
}

QString chiave(QChar asse, int k) {
    // The first vertices' keys are made once: every replay asks for them.
    static const auto fatte = [] {
        std::array<QString, 2 * 64> t;
        for (int i = 0; i < 64; ++i) {
            t[2 * i] = QLatin1Char('x') + QString::number(i + 1) + QLatin1Char('=');
            t[2 * i + 1] = QLatin1Char('y') + QString::number(i + 1) + QLatin1Char('=');
        }
        return t;
    }();
    if (k >= 1 && k <= 64) return fatte[2 * (k - 1) + (asse == QLatin1Char('y') ? 1 : 0)];
    return asse + QString::number(k) + QLatin1Char('=');
}

QString str(BSTR* b) {
    return b ? fromBstr(*b) : QString();
}

// Pixels per inch of the screen the natural size of a picture is measured on.
constexpr double kDpiSchermo = 96.0;

}  // namespace

float clsModStampa::spessore(double spesCont) {
    return suStampante() ? platform::printerLineWidth(spesCont)
                         : platform::pictureLineWidth(spesCont, condiviso.FattoreScala);
}

void clsModStampa::stampaLinea(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Linea"), Specifica)) return;
    comando(QStringLiteral("Errore nella Stampa della Linea."), Specifica, [&] {
        using namespace specifica;
        platform::Surface& s = uscita();
        preambolo(s);
        const float x1 = numero(QStringLiteral("x1="), Specifica);
        const float y1 = numero(QStringLiteral("y1="), Specifica);
        const float x2 = numero(QStringLiteral("x2="), Specifica);
        const float y2 = numero(QStringLiteral("y2="), Specifica);
        const float spes = numero(QStringLiteral("SpesCont="), Specifica);
        const int32_t col = evidenzia(colore(QStringLiteral("Col="), Specifica), Attivo);
        const int16_t tipo = intero16(QStringLiteral("TipoCont="), Specifica);
        s.setDrawWidth(vb::CLng(spessore(spes)));
        s.setDrawStyle(tipo);
        s.Line(x1, y1, x2, y2, gdi::COLORREF(nonBianco(col)));
    });
}

void clsModStampa::StampaRettangolo(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Rettangolo"), Specifica)) return;
    comando(QStringLiteral("Errore nella Stampa del Rettangolo."), Specifica, [&] {
        using namespace specifica;
        platform::Surface& s = uscita();
        preambolo(s);
        Rettangolo r;
        r.setVertic(4);
        float x[4], y[4];
        for (int k = 0; k < 4; ++k) {
            x[k] = numero(chiave(QLatin1Char('x'), k + 1), Specifica);
            y[k] = numero(chiave(QLatin1Char('y'), k + 1), Specifica);
        }
        const int16_t tipo = intero16(QStringLiteral("TipoCont="), Specifica);
        const int16_t camp = intero16(QStringLiteral("Campitura="), Specifica);
        const int32_t col = evidenzia(colore(QStringLiteral("Col="), Specifica), Attivo);
        const int32_t colCamp = evidenzia(colore(QStringLiteral("ColCamp="), Specifica), Attivo);
        const float w = spessore(numero(QStringLiteral("SpesCont="), Specifica));
        r.DC = s.hDC();
        for (int k = 0; k < 4; ++k)
            r.inser_vert_ret(float(s.toPixelsX(x[k])), float(s.toPixelsY(y[k])), k + 1);
        r.trattcont = tipo;
        r.campitura = camp;
        r.colcont = nonBianco(col);
        r.colocampitura = nonBianco(colCamp);
        r.spescont = w;
        r.disrettangolo();
    });
}

void clsModStampa::stampacerchio(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Cerchio"), Specifica)) return;
    comando(QStringLiteral("Errore nella Stampa del Cerchio."), Specifica, [&] {
        using namespace specifica;
        platform::Surface& s = uscita();
        preambolo(s);
        const float x1 = numero(QStringLiteral("x1="), Specifica);
        const float y1 = numero(QStringLiteral("y1="), Specifica);
        const float x2 = numero(QStringLiteral("x2="), Specifica);
        const float y2 = numero(QStringLiteral("y2="), Specifica);
        const int16_t tipo = intero16(QStringLiteral("TipoCont="), Specifica);
        const int16_t camp = intero16(QStringLiteral("Campitura="), Specifica);
        const int32_t col = evidenzia(colore(QStringLiteral("Col="), Specifica), Attivo);
        const int32_t colCamp = evidenzia(colore(QStringLiteral("ColCamp="), Specifica), Attivo);
        const float w = spessore(numero(QStringLiteral("SpesCont="), Specifica));
        Cerchio c;
        c.DC = s.hDC();
        // All four with the horizontal conversion, as the circle always did.
        c.Xcentro = float(s.toPixelsX(x1));
        c.Ycentro = float(s.toPixelsX(y1));
        c.Xpunto = float(s.toPixelsX(x2));
        c.YPunto = float(s.toPixelsX(y2));
        c.trattcont = tipo;
        c.campitura = camp;
        c.colcont = nonBianco(col);
        c.colocampitura = nonBianco(colCamp);
        c.spescont = w;
        c.discerchio();
    });
}

void clsModStampa::stampaarco(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Arco"), Specifica)) return;
    bool fallito = false;
    comando(QStringLiteral("Errore nella Stampa dell'Arco."), Specifica, [&] {
        using namespace specifica;
        fallito = true;
        platform::Surface& s = uscita();
        preambolo(s);
        float x[3], y[3];
        for (int k = 0; k < 3; ++k) {
            x[k] = numero(chiave(QLatin1Char('x'), k + 1), Specifica);
            y[k] = numero(chiave(QLatin1Char('y'), k + 1), Specifica);
        }
        const int16_t tipo = intero16(QStringLiteral("TipoCont="), Specifica);
        const int32_t col = evidenzia(colore(QStringLiteral("Col="), Specifica), Attivo);
        const float w = spessore(numero(QStringLiteral("SpesCont="), Specifica));
        Arco a;
        a.DC = s.hDC();
        a.p1x = float(s.toPixelsX(x[0]));
        a.p1y = float(s.toPixelsY(y[0]));
        a.p2x = float(s.toPixelsX(x[1]));
        a.p2y = float(s.toPixelsY(y[1]));
        a.p3x = float(s.toPixelsX(x[2]));
        a.p3y = float(s.toPixelsY(y[2]));
        a.trattcont = tipo;
        a.colcont = nonBianco(col);
        a.spescont = w;
        a.Disarco();
        fallito = false;
    });
    if (fallito) errStampa = true;
}

void clsModStampa::stampaPolilinea(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Polilinea"), Specifica)) return;
    comando(QStringLiteral("Errore nella Stampa della Polilinea."), Specifica, [&] {
        using namespace specifica;
        platform::Surface& s = uscita();
        preambolo(s);
        const int16_t n = intero16(QStringLiteral("nVert="), Specifica);
        std::vector<QPointF> v;
        for (int k = 1; k <= n; ++k)
            v.emplace_back(numero(chiave(QLatin1Char('x'), k), Specifica),
                           numero(chiave(QLatin1Char('y'), k), Specifica));
        const int32_t col = evidenzia(colore(QStringLiteral("Col="), Specifica), Attivo);
        const int16_t tipo = intero16(QStringLiteral("TipoCont="), Specifica);
        const float w = spessore(numero(QStringLiteral("SpesCont="), Specifica));
        polilinea p;
        p.setVertic(n);
        p.spescont = w;
        for (int k = 1; k <= n; ++k)
            p.inser_vert_pol(float(s.toPixelsX(v[k - 1].x())), float(s.toPixelsY(v[k - 1].y())), k);
        p.DC = s.hDC();
        p.colcont = nonBianco(col);
        p.trattcont = tipo;
        p.disPolyline();
    });
}

void clsModStampa::stampaSuperficie(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Superficie"), Specifica)) return;
    comando(QStringLiteral("Errore nella Stampa della Superficie."), Specifica, [&] {
        using namespace specifica;
        platform::Surface& s = uscita();
        preambolo(s);
        const int16_t n = intero16(QStringLiteral("nVert="), Specifica);
        std::vector<QPointF> v;
        for (int k = 1; k <= n; ++k)
            v.emplace_back(numero(chiave(QLatin1Char('x'), k), Specifica),
                           numero(chiave(QLatin1Char('y'), k), Specifica));
        const int16_t tipo = intero16(QStringLiteral("TipoCont="), Specifica);
        const int16_t camp = intero16(QStringLiteral("Campitura="), Specifica);
        const int32_t hBrush =
            camp == Immagine ? intero32(QStringLiteral("hBrush="), Specifica) : 0;
        const int32_t col = evidenzia(colore(QStringLiteral("Col="), Specifica), Attivo);
        const int32_t colCamp = evidenzia(colore(QStringLiteral("ColCamp="), Specifica), Attivo);
        const float w = spessore(numero(QStringLiteral("SpesCont="), Specifica));
        superficie p;
        p.DC = s.hDC();
        p.setVertic(n);
        p.spescont = w;
        for (int k = 1; k <= n; ++k)
            p.inser_vert_sup(float(s.toPixelsX(v[k - 1].x())), float(s.toPixelsY(v[k - 1].y())), k);
        p.colcont = nonBianco(col);
        p.trattcont = tipo;
        p.campitura = camp;
        p.hBmp = hBrush;
        // The fill keeps white: a white surface masks what lies under it.
        p.colocampitura = colCamp;
        p.disSup();
    });
}

QImage clsModStampa::caricaImmagine(const QString& percorso, QString& errore) {
    const QFileInfo fi(percorso);
    auto it = immagini.constFind(percorso);
    if (it != immagini.constEnd() && it->modificata == fi.lastModified() &&
        it->dimensione == fi.size())
        return it->immagine;
    QImageReader r(percorso);
    r.setAutoTransform(true);
    QImage img = r.read();
    if (img.isNull()) {
        errore = r.error() == QImageReader::UnsupportedFormatError
                     ? QStringLiteral("Formato dell'immagine non riconosciuto")
                     : QStringLiteral("Immagine non valida (%1)").arg(r.errorString());
        immagini.remove(percorso);
        return img;
    }
    // A few pictures are enough for a page redrawn over and over.
    if (immagini.size() >= 16) immagini.clear();
    immagini.insert(percorso, {fi.lastModified(), fi.size(), img});
    return img;
}

void clsModStampa::StampaImmagine(const QString& Specifica, bool Attivo) {
    if (registraComando(QStringLiteral("Immagine"), Specifica)) return;
    float x = 0, y = 0, L = 0, H = 0;
    QString percorso;
    bool esiste = false;
    comando(QStringLiteral("Errore nella Stampa dell'Immagine."), Specifica, [&] {
        using namespace specifica;
        preambolo(uscita());
        x = numero(QStringLiteral("x1="), Specifica);
        y = numero(QStringLiteral("y1="), Specifica);
        L = numero(QStringLiteral("L="), Specifica);
        H = numero(QStringLiteral("H="), Specifica);
        percorso = testo(QStringLiteral("Percorso="), Specifica);
        const QString pulito = vb::Trim(percorso);
        if (pulito.isEmpty() || !QFileInfo(pulito).isFile()) {
            servizi.prompter->message(QStringLiteral("L'Immagine specificata: ") + percorso + LF +
                                          QStringLiteral(", non esiste."),
                                      platform::vbOKOnly, titoloLibreria());
            return;
        }
        esiste = true;
    });
    if (!esiste) return;

    // From here a failing step is reported at the end, after the others ran.
    QString errore;
    platform::Surface& s = uscita();
    try {
        const QImage img = caricaImmagine(vb::Trim(percorso), errore);
        if (!img.isNull()) {
            if (L == 0 && H == 0) {
                L = float(img.width() * 1440.0 / kDpiSchermo / 56.7);
                H = float(img.height() * 1440.0 / kDpiSchermo / 56.7);
            }
            s.PaintPicture(img, x, y, L, H);
        }
    } catch (const std::exception& e) {
        errore = QString::fromUtf8(e.what());
    }
    if (!Attivo) {
        try {
            const int w = s.drawWidth();
            s.setDrawWidth(3);
            const auto verde = gdi::COLORREF(VerdeChiaro);
            s.Line(x, y, x + L, y, verde);
            s.Line(x + L, y, x + L, y + H, verde);
            s.Line(x, y + H, x + L, y + H, verde);
            s.Line(x, y, x, y + H, verde);
            s.setDrawWidth(w);
        } catch (const std::exception& e) {
            errore = QString::fromUtf8(e.what());
        }
    }
    if (!errore.isEmpty())
        servizi.prompter->message(
            QStringLiteral("Errore nella stampa dell'Immagine specificata: ") + percorso + LF + LF +
                errore,
            platform::vbOKOnly, titoloLibreria());
}

// --- Component face --------------------------------------------------------------------

#define VELMORA_COMANDO(Nome)                                           \
    HRESULT clsModStampa::Nome(BSTR* Specifica, VARIANT_BOOL* Attivo) { \
        if (!Attivo) return E_POINTER;                                  \
        try {                                                           \
            Nome(str(Specifica), *Attivo != 0);                         \
            return S_OK;                                                \
        } catch (const std::bad_alloc&) {                               \
            return E_OUTOFMEMORY;                                       \
        }                                                               \
    }

VELMORA_COMANDO(stampaLinea)
VELMORA_COMANDO(StampaRettangolo)
VELMORA_COMANDO(stampacerchio)
VELMORA_COMANDO(stampaarco)
VELMORA_COMANDO(stampaPolilinea)
VELMORA_COMANDO(stampaSuperficie)
VELMORA_COMANDO(StampaImmagine)

#undef VELMORA_COMANDO

}  // namespace velmora
