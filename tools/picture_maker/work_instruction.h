#pragma once

#include <QString>

// The demo laboratory's work instruction LWI-0412 (particle count), one page of PDF,
// for the document server the demo station is given. False with *error set when
// the file could not be written.
bool writeWorkInstruction(const QString& path, QString* error);
