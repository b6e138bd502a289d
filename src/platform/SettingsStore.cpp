#include "platform/SettingsStore.h"

#include <QSettings>

namespace tav {

namespace {
constexpr auto kSection = "Startup";

// QSettings caches per object; a fresh object per call keeps several program
// instances (and tests that swap XDG_CONFIG_HOME) in step with the file.
struct Section {
    QSettings settings{QStringLiteral("Kavurel"), QStringLiteral("Tavomera")};
    Section() { settings.beginGroup(QString::fromLatin1(kSection)); }
};
}  // namespace

QString SettingsStore::getSetting(const QString& name) const {
    Section s;
    return s.settings.value(name, QString()).toString();
}

void SettingsStore::saveSetting(const QString& name, const QString& value) {
    Section s;
    s.settings.setValue(name, value);
    s.settings.sync();
}

void SettingsStore::deleteSetting(const QString& name) {
    Section s;
    s.settings.remove(name);
    s.settings.sync();
}

void SettingsStore::deleteSection() {
    QSettings settings{QStringLiteral("Kavurel"), QStringLiteral("Tavomera")};
    settings.remove(QString::fromLatin1(kSection));
    settings.sync();
}

QStringList SettingsStore::names() const {
    Section s;
    return s.settings.childKeys();
}

}  // namespace tav
