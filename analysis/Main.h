#pragma once

#include <QStringList>

// Start-up of the load-analysis program: the record's defaults, the
// print-through-preview flag, then the main window until it closes.
// `args` are the program's arguments after its name.
int Main(const QStringList& args);
