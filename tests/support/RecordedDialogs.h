#pragma once

#include "base/UserDialogs.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <optional>

namespace kelvara::test {

// Records every message and question; answers questions from a script, else with their default.
class RecordedDialogs final : public base::UserDialogs {
public:
    // What a question is recorded as, beside the kinds of message box.
    static constexpr int kQuestion = -1;

    void message(Kind kind, const QString& title, const QString& text) override {
        record(static_cast<int>(kind), title, text);
    }
    bool question(const QString& title, const QString& text, bool defaultYes) override {
        record(kQuestion, title, text);
        if (answers.empty())
            return defaultYes;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    Answer questionOrCancel(const QString& title, const QString& text) override {
        record(kQuestion, title, text);
        if (choices.empty())
            return Answer::Yes;
        const Answer a = choices.front();
        choices.pop_front();
        return a;
    }

    // The kind of the box that showed this text (kQuestion for a question); nullopt when none did.
    [[nodiscard]] std::optional<int> kindOf(const QString& text) const {
        const qsizetype i = texts.indexOf(text);
        return i < 0 ? std::nullopt : std::optional<int>(kinds.at(i));
    }

    QStringList titles;
    QStringList texts;
    QList<int> kinds;
    std::deque<bool> answers;
    std::deque<Answer> choices; // for the questions that can be cancelled

private:
    void record(int kind, const QString& title, const QString& text) {
        kinds << kind;
        titles << title;
        texts << text;
    }
};

} // namespace kelvara::test
