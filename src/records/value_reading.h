#pragma once

#include <QDateTime>
#include <QVariant>
#include <cstdint>
#include <optional>

// Reading numbers out of column values and arguments that may hold a number, a
// text or nothing at all.
namespace records {

// The value as a 16-bit integer: whole and fractional numbers (rounded half to
// even), numeric texts with blanks around them, and true/false as 1/0. Nothing for
// NULL, non-numeric text and values outside -32768..32767.
std::optional<std::int16_t> int16Of(const QVariant& value);

// True for a number, or a text that reads as one after trimming; NULL, true/false
// and dates are not numbers.
bool isNumeric(const QVariant& value);

// The value as a date-time: a date-time value, or a text such as
// "2024-03-05 07:30:00" or "2024-03-05T07:30:00". Nothing for NULL or other text.
std::optional<QDateTime> dateTimeOf(const QVariant& value);

}  // namespace records
