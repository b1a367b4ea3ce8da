#pragma once

// The window's stored settings of the group "Form": placement, zoom, panels,
// step, drawing aids and selection mode, under the library's own title so
// that every calling program shares them.

#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform {
class SettingsStore;
}

namespace velmora::anteprima {

struct ImpostazioniForm {
    // Placement in twips; without a stored number, 10 % / 80 % of the screen.
    int32_t Top = 0, Left = 0, Width = 0, Height = 0;
    int16_t ZoomIniziale = 100;
    int16_t vis_BarraStrumenti = 1;
    int16_t vis_BarraCoordinate = 1;
    int16_t vis_BarraComandi = 1;
    int16_t vis_Righelli = 1;
    int16_t vis_DBoggetti = 0;
    float PassoGridStep = 1;
    int16_t StepAttivo = 0;
    int16_t GridAttivo = 0;
    int16_t OrtoAttivo = 0;
    QString FiltroSelezione = QStringLiteral("Inters");
};

// Reads every key on its own; a missing or unusable value takes the default.
// schermoTwips is the screen's size in twips.
ImpostazioniForm leggiImpostazioni(platform::SettingsStore& store, const QSize& schermoTwips);
void salvaImpostazioni(platform::SettingsStore& store, const ImpostazioniForm& v);

}  // namespace velmora::anteprima
