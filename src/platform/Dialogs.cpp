#include "platform/Dialogs.h"

namespace tav {

Answer Dialogs::message(const QString& text, const QString& caption, Buttons buttons, Icon icon, int defaultButton) {
    return showMessage({text, caption.isEmpty() ? defaultCaption_ : caption, buttons, icon, defaultButton});
}

QString Dialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
    return showInput(prompt, title.isEmpty() ? defaultCaption_ : title, defaultText);
}

QString Dialogs::openFile(const QString& title, const QString& filter, const QString& startFolder) {
    return showOpenFile(title, filter, startFolder);
}

QList<Answer> Dialogs::answersOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok: return {Answer::Ok};
        case Buttons::OkCancel: return {Answer::Ok, Answer::Cancel};
        case Buttons::YesNo: return {Answer::Yes, Answer::No};
        case Buttons::YesNoCancel: return {Answer::Yes, Answer::No, Answer::Cancel};
        case Buttons::RetryCancel: return {Answer::Retry, Answer::Cancel};
    }
    return {Answer::Ok};
}

QString Dialogs::qtFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) continue;
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace tav
