#include "app/Zimmeruebersicht.h"

#include <QColor>

#include "data/Database.h"
#include "data/Datum.h"
#include "data/SqlText.h"
#include "data/Variablen.h"

namespace tav {

namespace {

QColor farbeAus(quint32 bgr) { return QColor(farbe::red(bgr), farbe::green(bgr), farbe::blue(bgr)); }

}  // namespace

Zimmeruebersicht::Zimmeruebersicht(Database& db, const Variablen& v, QObject* parent)
    : QAbstractTableModel(parent), db_(db), v_(v) {}

void Zimmeruebersicht::laden(const QDate& start, int tage) {
    beginResetModel();
    start_ = start;
    tage_ = tage;
    RoomList rooms;
    rooms.load(db_);
    zeilen_.clear();
    for (const Zimmer& z : rooms.rooms())
        if (z.nummer >= 1 && z.nummer <= v_.raeume) zeilen_ << z;
    // The waiting row: the room after the last one shown.
    Zimmer warte;
    warte.nummer = v_.raeume + 1;
    if (const Zimmer* z = rooms.byNumber(v_.raeume + 1)) warte = *z;
    else warte.label = QStringLiteral("Vorläufig");
    zeilen_ << warte;
    zellen_ = QList<QList<Zelle>>(zeilen_.size(), QList<Zelle>(tage_));

    Recordset rs = db_.openRecordset(QStringLiteral("SELECT tblBelegung.ID, tblBelegung.Zimmernummer, tblBelegung.Von, tblBelegung.Bis, "
                                                    "tblBelegung.Kürzel, tblBelegung.Belegungsart, tblBelegung.Gelöscht FROM tblBelegung "
                                                    "WHERE tblBelegung.Von < ") +
                                     sqltext::date(start.addDays(tage)) + QStringLiteral(" AND tblBelegung.Bis > ") +
                                     sqltext::date(start) + QStringLiteral(" ORDER BY tblBelegung.Von, tblBelegung.ID"));
    for (; !rs.eof(); rs.moveNext()) {
        const QDate von = rs.value(QStringLiteral("Von")).toDate();
        const QDate bis = rs.value(QStringLiteral("Bis")).toDate();
        const int zimmer = rs.integer(QStringLiteral("Zimmernummer"));
        int zeile = -1;
        if (rs.yes(QStringLiteral("Gelöscht"))) zeile = int(zeilen_.size()) - 1;
        else
            for (int i = 0; i + 1 < zeilen_.size(); ++i)
                if (zeilen_[i].nummer == zimmer) zeile = i;
        if (zeile < 0 || !von.isValid() || !bis.isValid()) continue;
        for (QDate nacht = qMax(von, start); nacht < bis && nacht < start.addDays(tage); nacht = nacht.addDays(1)) {
            Zelle& z = zellen_[zeile][int(start.daysTo(nacht))];
            if (z.id != 0 && zeile == zeilen_.size() - 1) continue;  // the waiting row shows the first one
            z.id = rs.integer(QStringLiteral("ID"));
            z.kuerzel = rs.text(QStringLiteral("Kürzel"));
            z.art = rs.integer(QStringLiteral("Belegungsart"));
            z.anreise = nacht == von;
            z.zeitraum = datum::lang(von) + QStringLiteral(" – ") + datum::lang(bis);
        }
    }
    endResetModel();
}

int Zimmeruebersicht::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(zeilen_.size()); }
int Zimmeruebersicht::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : tage_; }

int Zimmeruebersicht::buchung(int zeile, int spalte) const {
    if (zeile < 0 || zeile >= zellen_.size() || spalte < 0 || spalte >= tage_) return 0;
    return zellen_[zeile][spalte].id;
}

QVariant Zimmeruebersicht::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= zellen_.size() || index.column() >= tage_) return {};
    const Zelle& z = zellen_[index.row()][index.column()];
    const QDate nacht = start_.addDays(index.column());
    switch (role) {
        case Qt::ForegroundRole: {
            // Light text on the dark colours, dark text on the light ones.
            const QColor grund = data(index, Qt::BackgroundRole).value<QColor>();
            return QColor(0.299 * grund.red() + 0.587 * grund.green() + 0.114 * grund.blue() < 140 ? Qt::white : Qt::black);
        }
        case Qt::DisplayRole:
            return z.anreise || index.column() == 0 ? z.kuerzel : QString();
        case Qt::ToolTipRole:
            return z.id ? z.kuerzel + QStringLiteral("\n") + z.zeitraum : QString();
        case Qt::BackgroundRole: {
            const auto farbe = [&](int i) { return i < v_.farben.size() ? v_.farben[i] : quint32(0xFFFFFF); };
            if (z.id) {
                const quint32 grund = farbe(qBound(0, z.art, 8));
                return farbeAus(z.anreise ? farbe::brighten(grund, v_.ersterTag) : grund);
            }
            // Free nights: Friday to Saturday and Saturday to Sunday in their own colours.
            const int morgen = nacht.addDays(1).dayOfWeek();
            if (morgen == Qt::Saturday) return farbeAus(farbe(9));
            if (morgen == Qt::Sunday) return farbeAus(farbe(10));
            return farbeAus(farbe(0));
        }
        default:
            return {};
    }
}

QVariant Zimmeruebersicht::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        const QDate tag = start_.addDays(section);
        if (role == Qt::DisplayRole) return datum::wochentagKurz(tag) + QLatin1Char('\n') + tag.toString(QStringLiteral("dd.MM."));
        return {};
    }
    if (section < 0 || section >= zeilen_.size()) return {};
    if (role == Qt::DisplayRole) return zeilen_[section].label;
    if (role == Qt::ToolTipRole) return zeilen_[section].tooltip();
    return {};
}

}  // namespace tav
