#pragma once

#include <QDate>
#include <QString>

namespace tav::sqltext {

// The one place that writes literals into Jet SQL text. User-typed text never goes through
// here: it is bound as a ? parameter.

// #mm-dd-yyyy#   (3 February 2007 -> #02-03-2007#)
QString date(const QDate& d);
// CDate('dd.mm.yyyy')
QString cdate(const QDate& d);
// dd.mm.yyyy inside quotes, for CVDate('…') style arguments: 'dd.mm.yyyy'
QString quotedGermanDate(const QDate& d);
// An amount with a point and no thousands separator whatever the locale: 1234.5
QString amount(double value);
// A text as a quoted SQL string with doubled quotes; for program-made texts only.
QString text(const QString& s);

}  // namespace tav::sqltext
