#pragma once

#include <QString>
#include <array>

// Twenty-five report lines as the particle counter sends them, one per ISO code from
// "13/9" to "22/21", kept from real counts of this station. The ISO code picker
// offers them by code; the counter simulator reports them; the tests read them as the
// bench would. Each line has 33 comma-separated fields and ends with a comma.
namespace reportCatalogue {

constexpr int Line_Count = 25;

struct Entry {
    QString code;  // "13/9"
    QString line;  // "!LPR1,00:00:28.76,BP,...,ISO Code: 13/9,,"
};

// In list order, index 0 ("13/9") to 24 ("22/21").
const std::array<Entry, Line_Count>& entries();

// The entry of a code, or nullptr when the catalogue has none for it.
const Entry* find(const QString& code);

}  // namespace reportCatalogue
