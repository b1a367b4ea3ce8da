#pragma once

// Geometry of the preview window without any widget: the zoom list, the size
// and place of the page picture in the page area, the scroll limits, the
// shadow, the scale of the picture, the ruler ticks and the background.
// Lengths are screen millimetres unless said otherwise.

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <optional>

namespace velmora::anteprima {

// The zoom list: 10 % to 400 % in steps of 5.
QList<int> percentualiZoom();
QString testoZoom(int percentuale);  // "100 %"
// Entry for a stored zoom: the first whose text begins with "N %"; a zoom
// that is not in the list falls back to 100 %.
int indiceZoom(int percentuale);
// "Adatta": about half the zoom at which the page height fills the area.
int indiceAdatta(double altezzaAreaMm, double altezzaStampanteMm);

struct GeometriaPagina {
    double larghezza = 0;  // page picture size at the zoom
    double altezza = 0;
    int32_t PosBaseX = 10;
    int32_t PosBaseY = 10;
    double left = 10;  // where the picture stands with both scroll bars at 0
    double top = 10;
    int maxScrollV = 0;
    int maxScrollH = 0;
};

// Page of the printer (millimetres of paper) in a page area at a zoom.
GeometriaPagina calcolaGeometria(double larghezzaAreaMm, double altezzaAreaMm,
                                 double larghezzaStampanteMm, double altezzaStampanteMm, int zoom);

// The shadow behind a page picture placed at (left, top).
QRectF rettangoloOmbra(double left, double top, double larghezza, double altezza, int zoom);

// Screen millimetres per paper millimetre for a picture of the given size in
// millimetres and a sheet in centimetres; never 0.
float calcolaFattoreScala(double larghezzaPicMm, double altezzaPicMm, float LarghezzaFoglioCm,
                          float AltezzaFoglioCm);

struct Tacca {
    int i = 0;      // paper millimetres from the page edge
    double da = 0;  // across the strip, in its 15 units
    double a = 0;
    bool numero = false;  // a centimetre: the label i / 10 is printed
};
// Ticks of a ruler for a page picture this long (screen millimetres) at a zoom.
QList<Tacca> tacche(double lunghezzaPicMm, int zoom);

// Colour of the k-th background line from the bottom (k = 0 .. 1000) for an
// area this high; the bottom is dark, the top light.
QColor coloreSfondo(int k, double altezzaAreaMm, bool modello);

// The page typed in the page field: the leading number of "n / N".
std::optional<int32_t> paginaDigitata(const QString& testo, int32_t totale);

// Answer to the range request.
struct Intervallo {
    enum Esito { Fine, Ripeti, Stampa } esito = Fine;
    int32_t prima = 0;
    int32_t ultima = 0;
};
Intervallo leggiIntervallo(const std::optional<QString>& risposta, int32_t totale);

// Caption of the window for the job's names and mode.
QString titoloFinestra(const QString& NomeSoftware, const QString& TipoDocumento,
                       const QString& NomeDocumento);
bool modoModello(const QString& TipoDocumento);

}  // namespace velmora::anteprima
