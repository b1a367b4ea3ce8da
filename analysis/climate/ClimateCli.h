#pragma once

// "tessaro snow" and "tessaro wind": the calculators without their windows.
// args are the options after the command word. Exit status 0 on success, 2 on
// bad usage or a value the dialog refuses (its message on err).

#include <QStringList>
#include <QTextStream>

int runSnowCommand(const QStringList& args, QTextStream& out, QTextStream& err);
int runWindCommand(const QStringList& args, QTextStream& out, QTextStream& err);
