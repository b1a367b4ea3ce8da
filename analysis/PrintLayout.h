#pragma once

// The printed page of an analysis: one text command per line, placed in
// millimetres, built from the record alone.

#include <QList>
#include <QString>

struct DatiAnalisi;

struct PrintLine {
    enum Style { Title, Heading, Data };
    QString text;
    double x = 10;  // mm from the left edge
    double y = 20;  // mm from the top edge
    Style style = Data;

    // The text command's specification string.
    QString specifica() const;
};

QList<PrintLine> buildPrintLines(const DatiAnalisi& d);
