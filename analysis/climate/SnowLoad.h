#pragma once

// Snow load on a roof (building code of 14/01/2008, § 3.4): qs = mu · qsk · CE · Ct.
// Pure functions over the dialog's field texts, shared by the dialog and the command line.

#include <QString>

namespace climate {

enum class SnowZone { None, AlpinaI, MediterraneaI, II, III };

// "Ia", "Im", "II", otherwise "III" (as the main window stores it).
QString snowZoneCode(SnowZone zone);
// Reads a stored zone code: "I" or "Ia" I-Alpina, "Im" I-Mediterranea, "II", anything else III.
SnowZone snowZoneFromCode(const QString& code);

struct SnowInputs {
    SnowZone zone = SnowZone::III;
    QString altitude;  // Text7
    QString ce;        // Text3
    QString ct;        // Text4
    QString mu;        // Text5
};

struct SnowResult {
    // Values read (a text that is not a number counts as 0).
    float as = 0, ce = 0, ct = 0, mu = 0;
    double qsk = 0;   // daN/m²
    float qs = 0;     // daN/m²
    QString formula;  // qsk formula alone, e.g. "0,51·[1+(750/481)²]"
    QString text6, text2, text8, text1;
};

SnowResult computeSnow(const SnowInputs& in);

// Shape coefficient from the slope text and the parapet choice.
float shapeCoefficient(const QString& slope, bool parapet);
// As Text5 shows it ("#0.00").
QString shapeCoefficientText(float mu);

// What a change of the altitude field leads to.
enum class AltitudeState { Empty, Valid, Negative, NotNumeric };
AltitudeState snowAltitudeState(const QString& text);
// The message for Negative or NotNumeric, empty otherwise.
QString snowAltitudeMessage(AltitudeState state);

// "Applica" refuses a different altitude while the wind load is included.
inline const char* const kAltitudeConflictCaption = "Errore Altezza Livello Mare";
QString snowAltitudeConflictMessage(float quotaSlm);

}  // namespace climate
