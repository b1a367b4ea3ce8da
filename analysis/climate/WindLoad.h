#pragma once

// Net wind pressure on a building element (building code of 14/01/2008, § 3.3):
// vb from zone and altitude, qb = ½ ρ vb², exposure category and ce(z), P = qb ce cp cd.
// Pure functions over the dialog's field texts, shared by the dialog and the command line.

#include <QString>

#include <optional>

namespace climate {

struct WindZoneRow {
    double vb0;  // m/s
    double a0;   // m
    double ka;   // 1/s
};
// Zones 1..9; nothing for any other number.
std::optional<WindZoneRow> windZone(int zone);

struct CategoryRow {
    double kr, z0, zmin;
};
// "I".."V"; anything else (the empty category) gives kr 0, z0 1, zmin 1.
CategoryRow categoryRow(const QString& category);

// Exposure category from zone, roughness class ("A".."D"), distance from the sea (km)
// and altitude (m); empty when the site has none.
QString exposureCategory(int zone, const QString& roughness, double distance, double altitude);
// ce(z) for a category; the height is raised to zmin.
double exposureCoefficient(const QString& category, double height, double ct);

struct WindInputs {
    int zone = 4;
    QString roughness = QStringLiteral("D");
    QString altitude;  // Text7
    QString height;    // Text3
    QString distance;  // Text4
    QString ct;        // Text5
    QString cd;        // Text15
    QString cp;        // Text16
};

// The input fields in the order they are checked.
enum class WindField { Altitude, Height, Distance, Ct, Cd, Cp };
QString windFieldMessage(WindField field);

struct WindResult {
    int zone = 4;
    QString roughness;
    double as = 0, distance = 0, height = 0, ct = 0, cd = 0, cp = 0;
    double vb = 0;  // m/s
    QString category;
    double ce = 0;
    double qb = 0;       // daN/m²
    double P = 0;        // daN/m²
    float carVento = 0;  // P as the single CarVentoAux keeps it
    QString formula;     // FormulaVentoAux
    QString text10, text11, text13, text6, text2, text8, text1;
};

struct WindOutcome {
    std::optional<WindField> error;  // the first field that is not a number
    WindResult result;               // only meaningful without an error
};

WindOutcome computeWind(const WindInputs& in);

QString windAltitudeConflictMessage(float quotaSlm);

// General format with the seven significant digits of a single (vb, ce and the
// wind parameter set).
QString generalSingle(double v);

}  // namespace climate
