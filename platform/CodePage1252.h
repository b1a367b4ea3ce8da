#pragma once

// The Western single-byte code page the files are written in.

#include <QByteArray>
#include <QString>

namespace platform {

// Bytes to text; every byte has a character (the five unassigned ones map to
// the control characters of the same value, as the system does).
QString fromCp1252(const QByteArray& bytes);

// Text to bytes. Returns false (and leaves `out` incomplete) at the first
// character the code page cannot hold.
bool toCp1252(const QString& text, QByteArray& out);

// True when every character of the text has a byte in the code page.
bool fitsCp1252(const QString& text);

}  // namespace platform
