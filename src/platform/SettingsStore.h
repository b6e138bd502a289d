#pragma once

#include <QString>
#include <QStringList>

namespace tav {

// The per-user program settings (application "Kavurel", section "Startup"), standing in for
// GetSetting / SaveSetting / DeleteSetting. A missing value reads as empty text.
// On Linux the values live in $XDG_CONFIG_HOME/Kavurel/Tavomera.conf.
class SettingsStore {
public:
    QString getSetting(const QString& name) const;
    void saveSetting(const QString& name, const QString& value);
    void deleteSetting(const QString& name);
    void deleteSection();  // the whole section "Startup"
    QStringList names() const;
};

}  // namespace tav
