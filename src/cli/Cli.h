#pragma once

#include <QStringList>

class QIODevice;

// lexicant-cli without its process: the arguments after the program name, and the devices
// that stand for standard output and standard error. Returns the exit status: 0 success,
// 1 a file could not be read or written, 2 wrong usage.
int runCli(const QStringList& arguments, QIODevice& out, QIODevice& err);
