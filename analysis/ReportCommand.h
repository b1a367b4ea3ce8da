#pragma once

#include <QStringList>

class QTextStream;

// `tessaro report FILE.TSR [--json]`: reads the file into a window that is never
// shown, as the window itself reads it, and prints the refreshed report line by
// line (`--json`: {"lines": [...]}). Returns the exit status: 0 done (a file of
// another version is read after a warning), 1 a file that cannot be read or is
// damaged, 2 bad usage.
int runReportCommand(const QStringList& args, QTextStream& out, QTextStream& err);
