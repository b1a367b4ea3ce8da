#pragma once

// Specification strings: "|key=value|key=value|". One key is looked up as
// plain text; values are read by type with the absent and empty rules every
// drawing command shares, and written back with the engine's number patterns.

#include <QString>

#include <cstdint>
#include <optional>

namespace velmora {

// The value of a key ("x1=" or "|x1="), or nothing when the key is absent or
// its field is not closed by a bar. Never fails.
std::optional<QString> Estrai_Valore(const QString& variabile, const QString& specifica);

namespace specifica {

// Typed readings. A missing key gives the type's default; a present value that
// cannot be converted throws Errore (type mismatch or overflow).
float numero(const QString& chiave, const QString& specifica);
int16_t intero16(const QString& chiave, const QString& specifica);
int32_t intero32(const QString& chiave, const QString& specifica);
double numeroIniziale(const QString& chiave, const QString& specifica);
bool booleano(const QString& chiave, const QString& specifica);
int32_t colore(const QString& chiave, const QString& specifica);
QString testo(const QString& chiave, const QString& specifica);

// The same conversions on a value already extracted.
float comeNumero(const QString& valore);
int16_t comeIntero16(const QString& valore);
int32_t comeIntero32(const QString& valore);
bool comeBooleano(const QString& valore);

// Bracketed placeholder of a data field from its label and its "NCar=" text.
QString segnaposto(const QString& etichetta, const QString& nCar);

// Writers: two decimals with the regional grouping; fixed "0.00" and "0.000";
// a colour with the regional grouping and no decimals.
QString dueDecimali(double valore);
QString fisso2(double valore);
QString fisso3(double valore);
QString coloreRaggruppato(int32_t colore);

}  // namespace specifica
}  // namespace velmora
