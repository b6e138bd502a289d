#include "store/clsTabFelder.h"

#include "engine/DatabaseError.h"

namespace tav {

QString clsTabFelder::schluesselName(const QString& tabelle) { return QStringLiteral("ID") + tabelle.mid(2); }

bool clsTabFelder::Anfügen() {
    try {
        auto db = Database::open(datenbankPfad, QStringLiteral(";PWD=") + passwort);
        const auto def = db->tableDef(tabellenName);
        if (!def) return false;
        if (def->field(feldName)) return true;
        FieldDef f = FieldDef::of(feldName, feldTyp);
        if (feldTyp == JetType::Text) f.size = feldGroesse;
        f.allowZeroLength = true;
        db->addField(tabellenName, f);
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

bool clsTabFelder::NeueTabelle() {
    try {
        auto db = Database::open(datenbankPfad, QStringLiteral(";PWD=") + passwort);
        TableDef def;
        def.name = tabellenName;
        FieldDef first = FieldDef::of(mitSchluessel ? schluesselName(tabellenName) : feldName, feldTyp);
        if (feldTyp == JetType::Text) first.size = feldGroesse;
        def.fields << first;
        db->createTable(def);
        return true;
    } catch (const DatabaseError&) {
        return false;
    }
}

}  // namespace tav
