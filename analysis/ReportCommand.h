#pragma once

#include <QStringList>

class QTextStream;

// `tessaro report FILE.TSR [--json]`: reads the file into a window that is never
// shown, as the window itself reads it, and prints the refreshed report line by
// line (`--json`: {"lines": [...]}). Returns the exit status: 0 done (a file of
// another version is read after a warning), 1 a file that cannot be read or is
// damaged, 2 bad usage.
int runReportCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// `tessaro print FILE.TSR --pdf OUT.pdf`: reads the file as the report command
// does and prints the analysis through the print library, without a window, on
// its PDF printer. Returns 0 when the PDF was written, 1 when the file could not
// be read or the print failed, 2 bad usage.
int runPrintCommand(const QStringList& args, QTextStream& out, QTextStream& err);
