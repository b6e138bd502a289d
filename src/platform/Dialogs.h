#pragma once

#include <QString>
#include <QStringList>

namespace tav {

// The message box, input box and file dialog of the program, behind one interface so that
// logic classes can be driven by tests with scripted answers (ScriptedDialogs) and by the
// user through real windows (QtDialogs).
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    QString text;
    QString caption;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 1;  // 1 = first button, 2 = second, 3 = third
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An empty caption means the program title (setDefaultCaption).
    Answer message(const QString& text, const QString& caption = {}, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                   int defaultButton = 1);

    // Returns the typed text; Cancel returns an empty text, as the input box always did.
    QString input(const QString& prompt, const QString& title = {}, const QString& defaultText = {});

    // filter in the pipe form "Name|pattern|Name|pattern|"; returns the chosen path or empty text.
    QString openFile(const QString& title, const QString& filter, const QString& startFolder = {});

    void setDefaultCaption(const QString& caption) { defaultCaption_ = caption; }
    const QString& defaultCaption() const { return defaultCaption_; }

    // The answers a button set offers, in button order.
    static QList<Answer> answersOf(Buttons buttons);
    // "Name|*.mdb|Alle|*.*|" -> "Name (*.mdb);;Alle (*.*)"
    static QString qtFilter(const QString& pipeFilter);

protected:
    virtual Answer showMessage(const MessageRequest& request) = 0;
    virtual QString showInput(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    virtual QString showOpenFile(const QString& title, const QString& pipeFilter, const QString& startFolder) = 0;

private:
    QString defaultCaption_ = QStringLiteral("Tavomera");
};

}  // namespace tav
