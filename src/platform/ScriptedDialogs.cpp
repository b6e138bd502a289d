#include "platform/ScriptedDialogs.h"

#include <utility>

namespace tav {

namespace {
ScriptedDialogs::LeftOpenHandler leftOpenHandler = nullptr;
}

ScriptedDialogs::LeftOpenHandler ScriptedDialogs::setLeftOpenHandler(LeftOpenHandler handler) {
    return std::exchange(leftOpenHandler, handler);
}

ScriptedDialogs::~ScriptedDialogs() { reportLeftOpen(); }

QStringList ScriptedDialogs::leftOpen() const {
    QStringList out;
    if (!unansweredExpected_)
        for (const QString& text : unanswered_) out << QStringLiteral("unanswered: ") + text;
    static const char* const names[] = {"Ok", "Cancel", "Yes", "No", "Retry"};
    for (const Answer a : answers_) out << QStringLiteral("answer unused: ") + QLatin1String(names[int(a)]);
    for (const QString& text : texts_) out << QStringLiteral("text unused: ") + text;
    for (const QString& file : files_) out << QStringLiteral("file unused: ") + file;
    return out;
}

void ScriptedDialogs::reportLeftOpen() const {
    const QStringList open = leftOpen();
    if (leftOpenHandler && !open.isEmpty()) leftOpenHandler(open);
}

QStringList ScriptedDialogs::texts() const {
    QStringList out;
    for (const Shown& s : shown_) out << s.text;
    return out;
}

void ScriptedDialogs::clear() {
    reportLeftOpen();
    unansweredExpected_ = false;
    answers_.clear();
    texts_.clear();
    files_.clear();
    shown_.clear();
    unanswered_.clear();
}

Answer ScriptedDialogs::showMessage(const MessageRequest& request) {
    shown_.push_back({Kind::Message, request.text, request.caption, request.buttons, request.icon, request.defaultButton});
    const QList<Answer> offered = answersOf(request.buttons);
    if (offered.size() == 1) {
        if (!answers_.empty() && answers_.front() == Answer::Ok) answers_.pop_front();
        return offered.front();
    }
    if (answers_.empty()) {
        unanswered_ << request.text;
        const int index = qBound(1, request.defaultButton, int(offered.size())) - 1;
        return offered[index];
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    if (!offered.contains(a)) unanswered_ << QStringLiteral("answer not offered: ") + request.text;
    return a;
}

QString ScriptedDialogs::showInput(const QString& prompt, const QString& title, const QString&) {
    shown_.push_back({Kind::Input, prompt, title, Buttons::OkCancel, Icon::None, 1});
    if (texts_.empty()) {
        unanswered_ << prompt;
        return {};
    }
    const QString t = texts_.front();
    texts_.pop_front();
    return t;
}

QString ScriptedDialogs::showOpenFile(const QString& title, const QString&, const QString&) {
    shown_.push_back({Kind::OpenFile, title, title, Buttons::OkCancel, Icon::None, 1});
    if (files_.empty()) {
        unanswered_ << title;
        return {};
    }
    const QString f = files_.front();
    files_.pop_front();
    return f;
}

}  // namespace tav
