#include "store/Adressmarken.h"

#include <QList>

#include "engine/Database.h"

namespace tav::adressmarken {

QString feld(int instanz) {
    switch (instanz) {
        case 1: return QStringLiteral("BenutztVon3");
        case 2: return QStringLiteral("BenutztVon4");
        default: return QStringLiteral("BenutztVon1");
    }
}

int ohneBelegungLoeschen(Database& db, int instanz) {
    QList<int> ids;
    const QString benutzt = feld(instanz);
    for (Recordset rs = db.openRecordset(
             QStringLiteral("SELECT Address.BenutztVon1,Address.BenutztVon3,Address.BenutztVon4, tblBelegung.ID, Address.ID, "
                            "tblBelegung.GastID ") +
             QStringLiteral(" FROM tblBelegung RIGHT JOIN Address ON tblBelegung.GastID = Address.ID WHERE (((tblBelegung.GastID) Is "
                            "Null));"));
         !rs.eof(); rs.moveNext())
        if (!rs.value(QStringLiteral("Address.") + benutzt).isNull()) ids << rs.integer(QStringLiteral("Address.ID"));
    if (ids.isEmpty()) return 0;
    Transaction t(db);
    for (int id : ids)
        db.execute(QStringLiteral("UPDATE Address SET Address.") + benutzt + QStringLiteral(" = Null WHERE Address.ID = ?"), {id});
    t.commit();
    return int(ids.size());
}

}  // namespace tav::adressmarken
