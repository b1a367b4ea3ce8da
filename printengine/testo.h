#pragma once

// One line of text in a rotated font, written at the top-left corner of its cell.
#include <QString>

#include "DrawingObject.h"

class testo : public DrawingObject {
public:
    QString stringa_testo;
    float dimens_testo = 0;    // pixels: negative = character height, positive = cell height
    int32_t colore_testo = 0;  // the print command sets the device's text colour from it
    int16_t bold_testo = 0;    // booleans: true = -1
    int16_t corsivo_testo = 0;
    int16_t sottolineato_testo = 0;
    int16_t barrato_testo = 0;
    int16_t opaco_testo = 0;
    int32_t colore_opaco_testo = 0;
    float pos_testox = 0;
    float pos_testoy = 0;
    int32_t nCartesto = 0;  // characters to draw, 0 = all

    static constexpr int kCampoCarattere = 32;
    // The face name is held in a fixed field of 32 characters: the name and one
    // NUL, left-aligned and padded with blanks, cut when too long.
    QString carattere_testo() const { return carattere_; }
    void setCarattere_testo(const QString& nome);
    float ang_testo() const { return ang_; }  // degrees
    void setAng_testo(int32_t gradi) { ang_ = float(gradi); }

    void dis_testo();

private:
    QString carattere_ = QString(kCampoCarattere, QLatin1Char(' '));
    float ang_ = 0;
};
