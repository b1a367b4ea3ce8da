#pragma once

#include <QString>

#include <cstdint>

// The snow and wind parameter sets the window keeps between uses of the
// calculators, as the texts the calculators hand back and the files store.
struct ParametriNeve {
    QString zona = QStringLiteral("III");
    QString hslm = QStringLiteral("800");
    QString ce = QStringLiteral("1");
    QString ct = QStringLiteral("1");
    QString mu = QStringLiteral("0,8");
    QString nFalde = QStringLiteral("1");
    // The parapet is one value; "SI"/"NO" is only how it is shown and stored.
    int16_t parapetto = 0;

    QString parapettoText() const {
        return parapetto == 1 ? QStringLiteral("SI") : QStringLiteral("NO");
    }
    // Takes "SI", "NO" or a number (1 means a parapet); anything else means none.
    void setParapettoText(const QString& text);
};

struct ParametriVento {
    QString zona = QStringLiteral("4");
    QString classe = QStringLiteral("D");
    QString distanza = QStringLiteral("50");
    QString altezza = QStringLiteral("4");
    QString categoria = QStringLiteral("III");
    QString ce = QStringLiteral("1");
    QString ct = QStringLiteral("1");
    QString cd = QStringLiteral("1");
    QString cp = QStringLiteral("0,4");
    QString vb = QStringLiteral("0");
};
