#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "invoice/Briefdatei.h"
#include "invoice/Formulardatei.h"
#include "invoice/ReDetailDatei.h"

namespace tav {

// A made-up guest house and stay, to look at a template after editing it without touching the
// database: an invoice for two rooms of two nights at 7 % with breakfast, two extras at 19 %,
// a discount of 4 % and a down payment.
class Musterdaten {
public:
    static Briefdaten brief(const QDate& datum);
    static QList<Detailzeile> rechnungszeilen(const QDate& datum);
    static Formulardaten formular(const QDate& datum);

    // Writes Rechn.doc, ReDetail.doc, ReDetail.rtf, angeb.doc and Best.doc into a folder.
    static bool schreiben(const QString& ordner, const QDate& datum, QString* fehler = nullptr);
};

}  // namespace tav
