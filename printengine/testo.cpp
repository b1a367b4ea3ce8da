#include "testo.h"

#include "VbConv.h"

void testo::setCarattere_testo(const QString& nome) {
    QString campo = nome + QChar(0);
    campo = campo.left(kCampoCarattere);
    carattere_ = campo.leftJustified(kCampoCarattere, QLatin1Char(' '));
}

void testo::dis_testo() {
    const int32_t x = vb::CLng(pos_testox);
    const int32_t y = vb::CLng(pos_testoy);
    int32_t h = vb::CLng(dimens_testo);
    if (h == 0) h = 1;

    gdi::LOGFONT lf;
    lf.lfHeight = h;
    lf.lfEscapement = vb::CLng(double(ang_) * 10);
    lf.lfWeight = bold_testo != 0 ? gdi::FW_BOLD : gdi::FW_DONTCARE;
    lf.lfItalic = corsivo_testo != 0;
    lf.lfUnderline = sottolineato_testo != 0;
    lf.lfStrikeOut = barrato_testo != 0;
    lf.lfFaceName = carattere_;

    const bool opaco = opaco_testo != 0;
    if (opaco) {
        gdi::SetBkMode(DC, gdi::OPAQUE);
        gdi::SetBkColor(DC, gdi::COLORREF(colore_opaco_testo));
    } else {
        gdi::SetBkMode(DC, gdi::TRANSPARENT);
    }

    QString riga = vb::RTrim(stringa_testo);
    if (nCartesto > 0) riga = riga.left(nCartesto);

    gdi::HFONT font = gdi::CreateFontIndirectA(lf);
    gdi::HGDIOBJ previous = gdi::SelectObject(DC, font);
    gdi::TextOutA(DC, x, y, riga);
    if (previous) gdi::SelectObject(DC, previous);
    gdi::DeleteObject(font);

    if (opaco) gdi::SetBkMode(DC, gdi::TRANSPARENT);
}
