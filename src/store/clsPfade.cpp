#include "store/clsPfade.h"

#include <stdexcept>

#include "engine/Database.h"
#include "platform/SettingsStore.h"
#include "store/Parameter.h"

namespace tav {

namespace {

void pruefen(int eintrag) {
    if (eintrag < 1 || eintrag > clsPfade::kEintraege) throw std::out_of_range("clsPfade: entry outside 1 … 10");
}

}  // namespace

QString clsPfade::DBPfad() const { return schluessel.isEmpty() ? QString() : settings_.getSetting(schluessel); }

QString clsPfade::standardName(int eintrag) { return QStringLiteral("Dokument %1").arg((eintrag - 1) % 5 + 1); }

clsPfade::Dokument clsPfade::Pfadfinden(int eintrag) const {
    pruefen(eintrag);
    Parameter parameter(db_);
    Dokument d;
    if (const auto namen = parameter.read(kMenuenamen))
        d.name = namen->text(eintrag).trimmed().isEmpty() ? QString() : namen->text(eintrag);
    if (d.name.isEmpty()) d.name = standardName(eintrag);
    if (const auto export_ = parameter.read(kMenueExport)) d.exportieren = export_->text(eintrag) == QLatin1String("Ja");
    d.pfad = settings_.getSetting(pfadName(eintrag));
    return d;
}

void clsPfade::Pfadsetzen(int eintrag, const Dokument& dokument) {
    pruefen(eintrag);
    Parameter parameter(db_);
    {
        Transaction t(db_, QStringLiteral("tblParameter"));
        parameter.write(kMenuenamen, {{eintrag, dokument.name}});
        parameter.write(kMenueExport, {{eintrag, dokument.exportieren ? QStringLiteral("Ja") : QStringLiteral("Nein")}});
        t.commit();
    }
    settings_.saveSetting(pfadName(eintrag), dokument.pfad);
}

}  // namespace tav
