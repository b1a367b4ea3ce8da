#include "WindLoad.h"

#include "VbConv.h"

#include <cmath>

namespace climate {

std::optional<WindZoneRow> windZone(int zone) {
    static const WindZoneRow rows[9] = {
        {25, 1000, 0.010}, {25, 750, 0.015},  {27, 500, 0.020},  {28, 500, 0.020}, {28, 750, 0.015},
        {28, 500, 0.020},  {28, 1000, 0.015}, {30, 1500, 0.010}, {31, 500, 0.020},
    };
    if (zone < 1 || zone > 9) return std::nullopt;
    return rows[zone - 1];
}

CategoryRow categoryRow(const QString& category) {
    if (category == QLatin1String("I")) return {0.17, 0.01, 2};
    if (category == QLatin1String("II")) return {0.19, 0.05, 4};
    if (category == QLatin1String("III")) return {0.20, 0.10, 5};
    if (category == QLatin1String("IV")) return {0.22, 0.30, 8};
    if (category == QLatin1String("V")) return {0.23, 0.70, 12};
    return {0, 1, 1};
}

QString exposureCategory(int zone, const QString& roughness, double d, double as) {
    const QChar c = roughness.isEmpty() ? QLatin1Char('D') : roughness.at(0);
    const bool a = c == QLatin1Char('A'), b = c == QLatin1Char('B'), cc = c == QLatin1Char('C');
    const bool dd = !a && !b && !cc;
    QString none;
    if (zone == 9) {
        if (a && d <= 0) return none;
        return QStringLiteral("I");
    }
    if (zone == 7 || zone == 8) {
        if (d <= 0) return dd ? QStringLiteral("I") : none;
        if (a || b) return QStringLiteral("IV");
        return QStringLiteral("III");
    }
    if (zone == 6) {
        if (d <= 0) return dd ? QStringLiteral("I") : none;
        if (d < 10) {
            if (a) return QStringLiteral("III");
            if (b || cc) return QStringLiteral("II");
            return QStringLiteral("I");
        }
        if (d < 30) {
            if (a) return QStringLiteral("IV");
            if (b || cc) return QStringLiteral("III");
            return QStringLiteral("II");
        }
        if (a) return QStringLiteral("V");
        if (b) return QStringLiteral("IV");
        if (cc) return as <= 500 ? QStringLiteral("III") : QStringLiteral("IV");
        return as <= 500 ? QStringLiteral("II") : QStringLiteral("III");
    }
    // Zones 1 to 5.
    if (d <= 0) return dd ? QStringLiteral("I") : none;
    if (d < 10) {
        if (a) return QStringLiteral("IV");
        if (b) return QStringLiteral("III");
        if (cc) return zone == 5 ? QStringLiteral("III") : QStringLiteral("II");
        return QStringLiteral("II");
    }
    if (d < 30) {
        if (a) return QStringLiteral("IV");
        if (b || cc) return QStringLiteral("III");
        return QStringLiteral("II");
    }
    if (a) return QStringLiteral("V");
    if (b) return QStringLiteral("IV");
    if (cc) return as <= 500 ? QStringLiteral("III") : QStringLiteral("IV");
    if (as <= 500) return QStringLiteral("II");
    if (as <= 750) return QStringLiteral("III");
    return zone == 1 ? QStringLiteral("IV") : QStringLiteral("III");
}

double exposureCoefficient(const QString& category, double height, double ct) {
    const CategoryRow row = categoryRow(category);
    if (row.kr == 0) return 0;
    const double zeff = height >= row.zmin ? height : row.zmin;
    const double l = std::log(zeff / row.z0);
    return row.kr * row.kr * ct * l * (7.0 + ct * l);
}

QString windFieldMessage(WindField field) {
    switch (field) {
        case WindField::Altitude:
            return QStringLiteral(
                "Inserire Altezza sul Livello del Mare con formato numerico corretto");
        case WindField::Height:
            return QStringLiteral("Inserire Altezza Edificio con formato numerico corretto");
        case WindField::Distance:
            return QStringLiteral("Inserire Distanza dal Mare con formato numerico corretto");
        case WindField::Ct:
            return QStringLiteral(
                "Inserire Coefficiente di Topografia con formato numerico corretto");
        case WindField::Cd:
            return QStringLiteral("Inserire Coefficiente Dinamico con formato numerico corretto");
        case WindField::Cp:
            return QStringLiteral(
                "Inserire Coefficiente di Pressione Netta con formato numerico corretto");
    }
    return {};
}

QString generalSingle(double v) {
    if (v == 0 || !std::isfinite(v)) return vb::CStr(v);
    // Rounded once, from the double, to seven significant digits.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    const double scale = std::pow(10.0, 6 - exponent);
    const double rounded = std::round(v * scale) / scale;
    return std::isfinite(rounded) ? vb::CStr(rounded) : vb::CStr(static_cast<float>(v));
}

WindOutcome computeWind(const WindInputs& in) {
    WindOutcome out;
    const std::pair<WindField, const QString*> checks[] = {
        {WindField::Altitude, &in.altitude},
        {WindField::Height, &in.height},
        {WindField::Distance, &in.distance},
        {WindField::Ct, &in.ct},
        {WindField::Cd, &in.cd},
        {WindField::Cp, &in.cp},
    };
    for (const auto& [field, text] : checks) {
        if (!vb::IsNumeric(*text)) {
            out.error = field;
            return out;
        }
    }

    const double rho = 1.25;
    WindResult& r = out.result;
    r.zone = windZone(in.zone) ? in.zone : 4;
    r.roughness = in.roughness.isEmpty() ? QStringLiteral("D") : in.roughness.left(1);
    r.as = vb::CDbl(in.altitude);
    r.distance = vb::CDbl(in.distance);
    r.height = vb::CDbl(in.height);
    r.ct = vb::CDbl(in.ct);
    r.cd = vb::CDbl(in.cd);
    r.cp = vb::CDbl(in.cp);

    const WindZoneRow zone = *windZone(r.zone);
    r.vb = r.as <= zone.a0 ? zone.vb0 : zone.vb0 + zone.ka * (r.as - zone.a0);
    r.category = exposureCategory(r.zone, r.roughness, r.distance, r.as);
    r.ce = exposureCoefficient(r.category, r.height, r.ct);
    r.text10 = generalSingle(r.vb);
    r.text11 = r.category;
    r.text13 = generalSingle(r.ce);

    const double qbN = static_cast<double>(r.vb) * r.vb * (rho * 0.5);
    r.text6 = QStringLiteral("(1/2)·D·Vp² = 0.5·") + vb::Format(rho, QStringLiteral("#0.00")) +
              QStringLiteral("·") + vb::Format(r.vb, QStringLiteral("#0.00")) +
              QStringLiteral("²") + QStringLiteral(" = ") +
              vb::Format(qbN, QStringLiteral("##0.00")) + QStringLiteral(" N/m²");

    const double pN = qbN * r.ce * r.cp * r.cd;
    const QString two = QStringLiteral("#0.00");
    r.formula = QStringLiteral("qb·Ce·Cp·Cd =") + vb::Format(qbN, QStringLiteral("##,#0.00")) +
                QStringLiteral("·") + vb::Format(r.ce, two) + QStringLiteral("·") +
                vb::Format(r.cp, two) + QStringLiteral("·") + vb::Format(r.cd, two) +
                QStringLiteral(" = ") + vb::Format(pN, QStringLiteral("##0.00")) +
                QStringLiteral(" N/m²");
    r.text8 = r.formula + QStringLiteral(" (daN/mq)");

    r.qb = qbN / 10;
    r.P = pN / 10;
    r.text2 = vb::Format(r.qb, QStringLiteral("##0.00"));
    r.text1 = vb::Format(r.P, QStringLiteral("##0.00"));
    r.carVento = static_cast<float>(r.P);
    return out;
}

QString windAltitudeConflictMessage(float quotaSlm) {
    return QStringLiteral(
               "Impossibile Procedere, l'Altezza sul Livello del mare indicata per il calcolo "
               "dell'azione della Neve è diversa da quella indicata per l'azione del Vento.") +
           QLatin1Char('\n') + QStringLiteral("Hsl(mare) = ") +
           vb::Format(quotaSlm, QStringLiteral("##0.00"));
}

}  // namespace climate
