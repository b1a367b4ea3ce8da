#pragma once

// What the engine and its preview and designer window share for one job: the
// page shown, the page picture, the scale of the picture and the designer's
// default attributes of new objects.

#include <QString>

#include <cstdint>

namespace platform {
class Surface;
}

namespace velmora {

struct AttributiPredefiniti {
    int16_t tipo_Linea = 0;
    float spes_Linea = 0.25f;
    int32_t col_Linea = 0;
    int16_t tipo_contorno_Sup = 0;
    float spes_contorno_Sup = 0.25f;
    int32_t col_contorno_Sup = 0;
    int16_t tipo_camp_Sup = 7;
    int32_t col_camp_Sup = 0;
    QString CarattereTesto_gen = QStringLiteral("Arial");
    int32_t DimensTesto_gen = 10;
    bool BoldTesto_gen = false;
    bool CorsivoTesto_gen = false;
    bool BarratoTesto_gen = false;
    bool SottolineatoTesto_gen = false;
    int32_t ColoreTesto_gen = 0;
    bool OpacoTesto_gen = false;
    int32_t ColoreOpacoTesto_gen = 16777215;

    bool operator==(const AttributiPredefiniti&) const = default;
};

struct JobState {
    // Page shown by the window, 1-based; 0 when no page is shown.
    int32_t nPagCorr = 0;
    // The window's page picture while it is open; null otherwise.
    platform::Surface* PicPrinter = nullptr;
    float FattoreScala = 1.0f;
    float LarghezzaFoglioCm = 0;
    float AltezzaFoglioCm = 0;
    // Minus the printer's unprintable left and top margins, in millimetres.
    float OffsetStampanteX = 0;
    float OffsetStampanteY = 0;
    AttributiPredefiniti attributi;
};

}  // namespace velmora
