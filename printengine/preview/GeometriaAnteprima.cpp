#include "GeometriaAnteprima.h"

#include <algorithm>
#include <cmath>

#include "VbConv.h"
#include "clsModStampa.h"

namespace velmora::anteprima {

namespace {
constexpr int zoomMinimo = 10;
constexpr int passoZoom = 5;
constexpr int vociZoom = 79;
}  // namespace

QList<int> percentualiZoom() {
    QList<int> l;
    l.reserve(vociZoom);
    for (int i = 0; i < vociZoom; ++i) l << zoomMinimo + passoZoom * i;
    return l;
}

QString testoZoom(int percentuale) {
    return QString::number(percentuale) + QStringLiteral(" %");
}

int indiceZoom(int percentuale) {
    const QString inizio = testoZoom(percentuale);
    const QList<int> l = percentualiZoom();
    for (int i = 0; i < l.size(); ++i)
        if (testoZoom(l[i]).startsWith(inizio)) return i;
    return (100 - zoomMinimo) / passoZoom;
}

int indiceAdatta(double altezzaAreaMm, double altezzaStampanteMm) {
    if (altezzaStampanteMm <= 0) return indiceZoom(100);
    // The largest zoom of the list at which the whole page height fits.
    const double p = (altezzaAreaMm - 20) * 100.0 / altezzaStampanteMm;
    const int i = static_cast<int>(std::floor((p - zoomMinimo) / passoZoom));
    return std::clamp(i, 0, vociZoom - 1);
}

GeometriaPagina calcolaGeometria(double larghezzaAreaMm, double altezzaAreaMm,
                                 double larghezzaStampanteMm, double altezzaStampanteMm, int zoom) {
    GeometriaPagina g;
    g.larghezza = clsModStampa::DimensionePagina(larghezzaStampanteMm, zoom);
    g.altezza = clsModStampa::DimensionePagina(altezzaStampanteMm, zoom);
    const int32_t x = vb::CLng((larghezzaAreaMm - 20 - g.larghezza) / 2);
    g.PosBaseX = x < 0 ? 10 : x + 10;
    const int32_t y = vb::CLng((altezzaAreaMm - 20 - g.altezza) / 2);
    g.PosBaseY = y < 0 ? 10 : y + 10;
    g.left = g.PosBaseX;
    // With or without rulers the page stays centred: three base tops down, as
    // once done without rulers, pushed small pages out of the area.
    g.top = g.PosBaseY;
    g.maxScrollV = g.altezza > altezzaAreaMm - 20 ? vb::CInt(g.altezza - (altezzaAreaMm - 20)) : 0;
    g.maxScrollH =
        g.larghezza > larghezzaAreaMm - 20 ? vb::CInt(g.larghezza - (larghezzaAreaMm - 20)) : 0;
    return g;
}

QRectF rettangoloOmbra(double left, double top, double larghezza, double altezza, int zoom) {
    const double z = zoom <= 0 ? 100 : zoom;
    const double d = z / 100.0 * 2.0;
    return QRectF(std::round(std::round(left) + d), std::round(std::round(top) + d), larghezza,
                  altezza);
}

float calcolaFattoreScala(double larghezzaPicMm, double altezzaPicMm, float LarghezzaFoglioCm,
                          float AltezzaFoglioCm) {
    float f = 1;
    if (larghezzaPicMm != LarghezzaFoglioCm || altezzaPicMm != AltezzaFoglioCm) {
        if (altezzaPicMm > larghezzaPicMm)
            f = LarghezzaFoglioCm != 0 ? float(larghezzaPicMm / LarghezzaFoglioCm / 10) : 0;
        else
            f = AltezzaFoglioCm != 0 ? float(altezzaPicMm / AltezzaFoglioCm / 10) : 0;
    }
    return f > 0 ? f : 0.00000001f;
}

QList<Tacca> tacche(double lunghezzaPicMm, int zoom) {
    const double z = zoom <= 0 ? 100 : zoom;
    const double scala = lunghezzaPicMm * 100.0 / z;
    QList<Tacca> l;
    const int32_t n = vb::CLng(scala + 5);
    for (int i = 0; i <= n; ++i) {
        Tacca t;
        t.i = i;
        if (i % 10 == 0) {
            t.da = 2;
            t.a = 12;
            t.numero = true;
        } else if (i % 5 == 0) {
            t.da = 4;
            t.a = 10;
        } else {
            t.da = 6;
            t.a = 8;
        }
        l << t;
    }
    return l;
}

QColor coloreSfondo(int k, double altezzaAreaMm, bool modello) {
    const double v0 = altezzaAreaMm > 500 ? 10 : 0;
    const int v = std::clamp(static_cast<int>(std::lround(v0 + 0.245 * (k + 1))), 0, 255);
    return modello ? QColor(v, v, v) : QColor(0, v, 255);
}

std::optional<int32_t> paginaDigitata(const QString& testo, int32_t totale) {
    const double v = vb::Val(testo);
    if (v > 0 && v <= totale) return vb::CLng(v);
    return std::nullopt;
}

Intervallo leggiIntervallo(const std::optional<QString>& risposta, int32_t totale) {
    Intervallo r;
    if (!risposta || vb::Trim(*risposta).isEmpty()) return r;
    const int trattino = risposta->indexOf(QLatin1Char('-'));
    r.esito = Intervallo::Ripeti;
    if (trattino < 0) return r;
    const QString a = vb::Trim(risposta->left(trattino));
    const QString b = vb::Trim(risposta->mid(trattino + 1));
    // Parts that are not whole numbers, or pages outside the document, ask again.
    bool okA = false, okB = false;
    const int32_t prima = a.toInt(&okA);
    const int32_t ultima = b.toInt(&okB);
    if (!okA || !okB || ultima < prima || prima < 1 || ultima > totale) return r;
    r.esito = Intervallo::Stampa;
    r.prima = prima;
    r.ultima = ultima;
    return r;
}

bool modoModello(const QString& TipoDocumento) {
    return TipoDocumento.left(7) == QLatin1String("Modello");
}

QString titoloFinestra(const QString& NomeSoftware, const QString& TipoDocumento,
                       const QString& NomeDocumento) {
    const QString inizio = QStringLiteral("[") + NomeSoftware + QStringLiteral("] - ");
    const QChar q = QLatin1Char('"');
    if (modoModello(TipoDocumento)) {
        if (NomeDocumento.isEmpty())
            return inizio + QStringLiteral("Gestore Modelli di Stampa Documenti [Vortanel]");
        return inizio + QStringLiteral("Modello di Stampa (") +
               vb::Trim(vb::Mid(TipoDocumento, 8, 100)) + QStringLiteral(") - File: ") + q +
               NomeDocumento + q;
    }
    if (NomeDocumento.isEmpty()) return inizio + QStringLiteral("Anteprima di Stampa [Vortanel]");
    return inizio + QStringLiteral("Anteprima di Stampa [Vortanel] - ") + TipoDocumento +
           QStringLiteral(" - File: ") + q + NomeDocumento + q;
}

}  // namespace velmora::anteprima
