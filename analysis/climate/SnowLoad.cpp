#include "SnowLoad.h"

#include "VbConv.h"

namespace climate {

QString snowZoneCode(SnowZone zone) {
    switch (zone) {
        case SnowZone::AlpinaI:
            return QStringLiteral("Ia");
        case SnowZone::MediterraneaI:
            return QStringLiteral("Im");
        case SnowZone::II:
            return QStringLiteral("II");
        default:
            return QStringLiteral("III");
    }
}

SnowZone snowZoneFromCode(const QString& code) {
    if (code == QLatin1String("I") || code == QLatin1String("Ia")) return SnowZone::AlpinaI;
    if (code == QLatin1String("Im")) return SnowZone::MediterraneaI;
    if (code == QLatin1String("II")) return SnowZone::II;
    return SnowZone::III;
}

namespace {

struct ZoneRow {
    double lowQsk;  // kN/m² up to 200 m
    const char* lowText;
    double base;  // kN/m² factor above 200 m
    int scale;    // m
};

const ZoneRow* rowOf(SnowZone zone) {
    static const ZoneRow alpina{1.50, "1.50", 1.39, 728};
    static const ZoneRow mediterranea{1.50, "1.50", 1.35, 602};
    static const ZoneRow two{1.00, "1.00", 0.85, 481};
    static const ZoneRow three{0.60, "0.60", 0.51, 481};
    switch (zone) {
        case SnowZone::AlpinaI:
            return &alpina;
        case SnowZone::MediterraneaI:
            return &mediterranea;
        case SnowZone::II:
            return &two;
        case SnowZone::III:
            return &three;
        default:
            return nullptr;
    }
}

}  // namespace

SnowResult computeSnow(const SnowInputs& in) {
    SnowResult r;
    r.as = vb::CSng(in.altitude);
    r.ce = vb::CSng(in.ce);
    r.ct = vb::CSng(in.ct);
    r.mu = vb::CSng(in.mu);

    double qskKn = 0;
    if (const ZoneRow* row = rowOf(in.zone)) {
        if (r.as <= 200) {
            qskKn = row->lowQsk;
            r.formula = QString::fromLatin1(row->lowText);
        } else {
            const double ratio = static_cast<double>(r.as) / row->scale;
            qskKn = row->base * (1.0 + ratio * ratio);
            r.formula = vb::CStr(row->base) + QStringLiteral("·[1+(") +
                        vb::Format(r.as, QStringLiteral("##")) + QLatin1Char('/') +
                        QString::number(row->scale) + QStringLiteral(")²]");
        }
    }
    r.qsk = qskKn * 100.0;
    // qs is a single, as the value field keeps it.
    r.qs = static_cast<float>(r.mu * r.qsk) * r.ce * r.ct;

    const QString pattern = QStringLiteral("##0.00");
    r.text6 = r.formula + QStringLiteral(" (daN/mq)");
    r.text2 = vb::Format(r.qsk, pattern);
    r.text8 = vb::Format(r.mu, pattern) + QStringLiteral("·[") + r.formula + QStringLiteral("]·") +
              vb::Format(r.ce, pattern) + QStringLiteral("·") + vb::Format(r.ct, pattern) +
              QStringLiteral(" (daN/mq)");
    // The single's own value, not its seven-digit text, is rounded to two decimals.
    r.text1 = vb::Format(static_cast<double>(r.qs), pattern);
    return r;
}

float shapeCoefficient(const QString& slope, bool parapet) {
    const float alpha = vb::CSng(slope);
    float mu = 0;
    if (alpha >= 0 && alpha <= 30)
        mu = 0.8f;
    else if (alpha > 30 && alpha < 60)
        mu = static_cast<float>(0.8 * (60.0 - alpha) / 30.0);
    // A parapet keeps the snow on the roof whatever the slope.
    if (parapet && mu < 0.8f) mu = 0.8f;
    return mu;
}

QString shapeCoefficientText(float mu) {
    return vb::Format(mu, QStringLiteral("#0.00"));
}

AltitudeState snowAltitudeState(const QString& text) {
    if (vb::Trim(text).isEmpty()) return AltitudeState::Empty;
    if (!vb::IsNumeric(text)) return AltitudeState::NotNumeric;
    return vb::CDbl(text) < 0 ? AltitudeState::Negative : AltitudeState::Valid;
}

QString snowAltitudeMessage(AltitudeState state) {
    switch (state) {
        case AltitudeState::Negative:
            return QStringLiteral("Inserire Altezza Livello Mare : valore positivo");
        case AltitudeState::NotNumeric:
            return QStringLiteral("Inserire Altezza Livello Mare con formato numerico corretto.");
        default:
            return {};
    }
}

QString snowAltitudeConflictMessage(float quotaSlm) {
    return QStringLiteral(
               "Impossibile Procedere, l'Altezza sul Livello del mare indicata per il calcolo "
               "dell'azione del vento è diversa da quella indicata per l'azione della neve.") +
           QLatin1Char('\n') + QStringLiteral("Hsl(vento) = ") +
           vb::Format(quotaSlm, QStringLiteral("##0.00"));
}

}  // namespace climate
