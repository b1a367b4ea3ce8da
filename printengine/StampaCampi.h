#pragma once

// Model objects bound to document data (fields, column fields, body-row grid, VAT
// summaries, carcass identifier, delivery-note rows, label grid) and the barcode
// command. The engine knows no data: fields print as bracketed placeholders.

#include <QSizeF>
#include <QString>

namespace velmora {

class clsModStampa;

namespace campi {

// Each records itself in preview mode and otherwise draws through the text path;
// a failure of its own is shown with its message and the job goes on.
// stampaObjModel, stampaLineeCorpoDoc and stampaArrayEtichette throw Errore when no
// page is shown (the grids are laid out from that page's objects).
void stampaObjModel(clsModStampa& j, const QString& Oggetto, const QString& Specifica, bool Attivo);
void stampaCampo(clsModStampa& j, const QString& Oggetto, const QString& Specifica, bool Attivo);
void stampaCampoColonna(clsModStampa& j, const QString& Specifica, bool Attivo);
void stampaLineeCorpoDoc(clsModStampa& j, const QString& Specifica, bool Attivo);
// Throws Errore, recording and drawing nothing, for a kind other than "Impon" or
// "Impost".
void stampaRiepilogoIVA(clsModStampa& j, const QString& Specifica, const QString& ImponImpost,
                        bool Attivo);
void stampaIdCarcassa(clsModStampa& j, const QString& IdCarcassa, const QString& Specifica,
                      bool Attivo);
void stampaRigoDDTMac(clsModStampa& j, const QString& Specifica, bool Attivo);
void stampaArrayEtichette(clsModStampa& j, const QString& Specifica, bool Attivo);
void stampaCodBarre(clsModStampa& j, const QString& Specifica, bool Attivo);

// Placeholder of a field: label, the length compared with the width (the name's for
// column fields), "NCar=" text, and whether a long label is cut to the width.
QString segnaposto(const QString& etichetta, qsizetype lunghezza, const QString& nCar, bool taglia);

// The text a model object prints (placeholder, sample identifier or barcode string),
// "" for objects that print no text of their own.
QString testoStampato(const QString& Oggetto, const QString& Specifica);
// Size in millimetres of that text in the object's font and height, for the designer
// to select fields by their printed box.
QSizeF misuraTestoStampato(const QString& Oggetto, const QString& Specifica);

}  // namespace campi
}  // namespace velmora
