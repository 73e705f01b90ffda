#pragma once

#include <QString>
#include <ostream>

// Failed comparisons show station texts as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
