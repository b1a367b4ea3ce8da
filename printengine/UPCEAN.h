#pragma once

// Encoders that turn a numeric code into the character string that the barcode font
// draws as an EAN-13, EAN-8, UPC-A or UPC-E symbol.
//
// Character layout of the font:
//   "0".."9"  left-half digit, odd parity (set A)     "Q".."Z"  left-half digit, even parity (set
//   B) "A".."J"  right-half digit (set C)                "a".."j"  UPC-A first digit at guard
//   length "q".."z"  UPC-A check digit at guard length       U+00C0..U+00C9  digit outside the
//   symbol
//   "(" start guard, "*" centre guard, ")" end guard, "+" UPC-E end guard
//
// The functions keep no state between calls. They do not check their input: a character
// that is not a digit is encoded by its character code as if it were one, and a short or
// empty code is padded with zeros.

#include <QString>

namespace UPCEAN {

// Modulo-10 check digit of a digit string (weights 3, 1, 3, ... from the right), "0".."9".
QString CifraControllo(const QString& cifre);

QString CodificaEAN13(const QString& codice);
QString CodificaEAN8(const QString& codice);
QString CodificaUPCA(const QString& codice);
// Number system 0.
QString CodificaUPCE(const QString& codice);

// Zero-suppression expansion of number system + six UPC-E digits to the 11-digit UPC-A
// number without its check digit; "" when the seventh character is not a digit.
QString EspandiUPCE(const QString& codice);

// The printed string of a code for a symbology name as the "TipoCodice=" key holds it
// ("EAN13", "EAN8", "UPC-A", "UPC-E"); any other name, or none, leaves the code unchanged.
QString encodeForType(const QString& tipoCodice, const QString& codice);

}  // namespace UPCEAN
