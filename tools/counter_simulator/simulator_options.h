#pragma once

#include "counter_simulator.h"

#include <QString>
#include <QStringList>

namespace simulator {

// The command line of the counter_simulator program.
struct CommandLine {
    Options options;
    QString link;  // a symbolic link to the terminal, made and removed by the program
    bool help = false;
};

// Reads the arguments (without the program name); false with the reason on a bad one.
bool parseCommandLine(const QStringList& arguments, CommandLine* out, QString* error);

QString usage();

}  // namespace simulator
