#pragma once

#include <QString>
#include <QVariant>

namespace tav::jetformat {

// Format(value, format) as Jet computes it under German regional settings:
// "<" and ">" (lower / upper case), number formats ("0.00", "#,##0.00", "###,##0.00", "0000",
// "0%", sections separated by ";") with "." as thousands and "," as decimal separator, and
// date formats (d dd ddd dddd m mm mmm mmmm yy yyyy y w ww q h hh n nn s ss AM/PM, "/" and ":"
// separators, quoted literals) with German day and month names.
// Null gives Null (an invalid QVariant); an empty format gives the value as text.
QVariant format(const QVariant& value, const QString& fmt);

// The value as Jet turns it into text (CStr, & concatenation): numbers with a decimal comma,
// dates as dd.mm.yyyy (with hh:nn:ss when there is a time).
QString toText(const QVariant& value);

// A number read the way CDbl reads text under German settings ("1.234,50" -> 1234.5).
std::optional<double> toNumber(const QVariant& value);

}  // namespace tav::jetformat
