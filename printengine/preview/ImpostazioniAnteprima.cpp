#include "ImpostazioniAnteprima.h"

#include <QSize>

#include <cmath>

#include "SettingsStore.h"
#include "VbConv.h"
#include "clsModStampa.h"

namespace velmora::anteprima {

namespace {

QString leggi(platform::SettingsStore& s, const QString& sezione, const QString& chiave,
              const QString& predefinito) {
    return s.get(titoloLibreria(), sezione, chiave, predefinito);
}

std::optional<double> numero(const QString& t) {
    if (!vb::IsNumeric(t)) return std::nullopt;
    return vb::CDbl(t);
}

// A flag: any non-zero number is on; anything else keeps the default.
int16_t flag(platform::SettingsStore& s, const QString& sezione, const QString& chiave,
             int16_t predefinito) {
    const std::optional<double> v = numero(leggi(s, sezione, chiave, QString::number(predefinito)));
    if (!v) return predefinito;
    return *v != 0 ? 1 : 0;
}

int32_t posizione(platform::SettingsStore& s, const QString& chiave, double predefinito) {
    const std::optional<double> v =
        numero(leggi(s, QStringLiteral("frmStampa"), chiave, QString()));
    const double x = v && std::isfinite(*v) && std::abs(*v) < 2e9 ? *v : predefinito;
    return vb::CLng(x);
}

}  // namespace

ImpostazioniForm leggiImpostazioni(platform::SettingsStore& s, const QSize& schermo) {
    ImpostazioniForm v;
    v.Top = posizione(s, QStringLiteral("Top"), 0.1 * schermo.height());
    v.Left = posizione(s, QStringLiteral("Left"), 0.1 * schermo.width());
    v.Width = posizione(s, QStringLiteral("Width"), 0.8 * schermo.width());
    v.Height = posizione(s, QStringLiteral("Height"), 0.8 * schermo.height());

    const std::optional<double> z =
        numero(leggi(s, QStringLiteral("Zoom"), QStringLiteral("Valore"), QStringLiteral("100")));
    if (z && vb::fitsInt16(*z)) v.ZoomIniziale = vb::CInt(*z);

    v.vis_BarraStrumenti = flag(s, QStringLiteral("BarraStrumenti"), QStringLiteral("Attivo"), 1);
    v.vis_BarraCoordinate = flag(s, QStringLiteral("BarraCoordinate"), QStringLiteral("Attivo"), 1);
    v.vis_BarraComandi = flag(s, QStringLiteral("BarraComandi"), QStringLiteral("Attivo"), 1);
    v.vis_Righelli = flag(s, QStringLiteral("Righello"), QStringLiteral("Attivo"), 1);
    v.vis_DBoggetti = flag(s, QStringLiteral("DBoggetti"), QStringLiteral("Attivo"), 0);

    const std::optional<double> passo = numero(
        leggi(s, QStringLiteral("PassoGridStep"), QStringLiteral("Valore"), QStringLiteral("1")));
    if (passo && std::isfinite(*passo) && *passo < 1e6) {
        const float p = static_cast<float>(std::round(*passo * 100) / 100);
        v.PassoGridStep = p < 1 ? 1 : p;
    }
    v.StepAttivo = flag(s, QStringLiteral("Step"), QStringLiteral("Attivo"), 0);
    v.GridAttivo = flag(s, QStringLiteral("Grid"), QStringLiteral("Attivo"), 0);
    v.OrtoAttivo = flag(s, QStringLiteral("Orto"), QStringLiteral("Attivo"), 0);

    const QString filtro = leggi(s, QStringLiteral("FiltroSelezione"), QStringLiteral("Tipo"),
                                 QStringLiteral("Inters"));
    v.FiltroSelezione = (filtro == QLatin1String("Ogget") || filtro == QLatin1String("Fines"))
                            ? filtro
                            : QStringLiteral("Inters");
    return v;
}

void salvaImpostazioni(platform::SettingsStore& s, const ImpostazioniForm& v) {
    const QString app = titoloLibreria();
    const QString attivo = QStringLiteral("Attivo");
    const QString valore = QStringLiteral("Valore");
    s.save(app, QStringLiteral("frmStampa"), QStringLiteral("Top"), QString::number(v.Top));
    s.save(app, QStringLiteral("frmStampa"), QStringLiteral("Left"), QString::number(v.Left));
    s.save(app, QStringLiteral("frmStampa"), QStringLiteral("Width"), QString::number(v.Width));
    s.save(app, QStringLiteral("frmStampa"), QStringLiteral("Height"), QString::number(v.Height));
    s.save(app, QStringLiteral("Zoom"), valore, QString::number(v.ZoomIniziale));
    s.save(app, QStringLiteral("BarraStrumenti"), attivo, QString::number(v.vis_BarraStrumenti));
    s.save(app, QStringLiteral("BarraCoordinate"), attivo, QString::number(v.vis_BarraCoordinate));
    s.save(app, QStringLiteral("BarraComandi"), attivo, QString::number(v.vis_BarraComandi));
    s.save(app, QStringLiteral("Righello"), attivo, QString::number(v.vis_Righelli));
    s.save(app, QStringLiteral("DBoggetti"), attivo, QString::number(v.vis_DBoggetti));
    s.save(app, QStringLiteral("PassoGridStep"), valore, vb::CStr(v.PassoGridStep));
    s.save(app, QStringLiteral("Step"), attivo, QString::number(v.StepAttivo));
    s.save(app, QStringLiteral("Grid"), attivo, QString::number(v.GridAttivo));
    s.save(app, QStringLiteral("Orto"), attivo, QString::number(v.OrtoAttivo));
    s.save(app, QStringLiteral("FiltroSelezione"), QStringLiteral("Tipo"), v.FiltroSelezione);
}

}  // namespace velmora::anteprima
