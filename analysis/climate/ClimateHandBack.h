#pragma once

#include <QString>

// What a calculator's "Applica" hands back to the main window, as the texts
// the window's fields and parameter sets take.
struct SnowHandBack {
    QString formula;    // whole formula line (Text8)
    QString value;      // qs as shown (Text1)
    QString hslm;       // altitude text (Text7)
    QString zona;       // "Ia", "Im", "II" or "III"
    QString mu;         // shape coefficient text (Text5)
    QString ce;         // Text3
    QString ct;         // Text4
    int nFalde = 1;     // 1 or 2
    int parapetto = 0;  // 1 with parapet
};

struct WindHandBack {
    QString hslm;     // altitude text (Text7), for the snow parameter set
    QString formula;  // FormulaVentoAux
    QString value;    // CarVentoAux formatted "##0.00"
    // The wind parameter set of the last computation, numbers in general format.
    QString zona, classe, distanza, altezza, categoria, ce, ct, cd, cp, vb;
};
