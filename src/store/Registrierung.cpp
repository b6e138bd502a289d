#include "store/Registrierung.h"

namespace tav {

RegistryNamen RegistryNamen::forInstance(int instance) {
    if (instance <= 0)
        return {QStringLiteral("Zentral"), QStringLiteral("Pfad"), QStringLiteral("BeispielPfad"), QStringLiteral("LokalDB"),
                QStringLiteral("Excel")};
    const QString n = QString::number(instance);
    return {QStringLiteral("Zentra") + n, QStringLiteral("Pfa") + n, QStringLiteral("BeispielPfa") + n, QStringLiteral("lokalD") + n,
            QStringLiteral("Exce") + n};
}

}  // namespace tav
