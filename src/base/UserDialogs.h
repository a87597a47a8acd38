#pragma once

#include <QString>

namespace kelvara::base {

// Message boxes and yes/no questions: the core asks, the windows (or the headless console) answer.
class UserDialogs {
public:
    // The icon a message box carries, which tells the user how serious it is.
    enum class Kind { Information, Warning, Critical };
    // The answer to a question that can also be cancelled.
    enum class Answer { Yes, No, Cancel };

    virtual ~UserDialogs() = default;
    virtual void message(Kind kind, const QString& title, const QString& text) = 0;
    // Returns true for Yes. defaultYes is the answer a user gets by pressing Enter.
    virtual bool question(const QString& title, const QString& text, bool defaultYes) = 0;
    // A question with Yes, No and Cancel; Yes is the answer to Enter, Cancel to closing the box.
    virtual Answer questionOrCancel(const QString& title, const QString& text) = 0;

    void information(const QString& title, const QString& text) { message(Kind::Information, title, text); }
    void warning(const QString& title, const QString& text) { message(Kind::Warning, title, text); }
    void critical(const QString& title, const QString& text) { message(Kind::Critical, title, text); }

    // "Kelvara (warning): text", as a box reads where there is no screen.
    [[nodiscard]] static QString consoleLine(Kind kind, const QString& title, const QString& text) {
        return title + QStringLiteral(" (") + kindName(kind) + QStringLiteral("): ") + text;
    }
    [[nodiscard]] static QString kindName(Kind kind) {
        switch (kind) {
        case Kind::Information:
            return QStringLiteral("information");
        case Kind::Warning:
            return QStringLiteral("warning");
        case Kind::Critical:
            return QStringLiteral("critical");
        }
        return {};
    }
};

} // namespace kelvara::base
