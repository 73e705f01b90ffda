#pragma once

#include <QString>
#include <ostream>

// Failed comparisons show station texts as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
