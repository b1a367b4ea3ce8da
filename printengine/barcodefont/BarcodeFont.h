#pragma once

// The library's own EAN/UPC barcode font, generated at build time and embedded in the
// library. Its characters follow the layout the encoders in UPCEAN.h produce.

#include <QString>

namespace BarcodeFont {

// Family name of the font once registered.
QString family();

// The barcode font name that print models and the designer use; it is mapped to family().
QString proposedFontName();

// Registers the font with the application's font database and maps proposedFontName() to
// it. Needs a QGuiApplication; returns false without one or when the font cannot be
// loaded. Safe to call any number of times: the font is added once.
bool registerFont();

}  // namespace BarcodeFont
