#pragma once

#include "app/UserDialogs.h"

#include <QStringList>
#include <deque>

namespace kelvara::test {

// Records every message and question; answers questions from a script, else with their default.
class RecordedDialogs final : public app::UserDialogs {
public:
    void information(const QString& title, const QString& text) override {
        titles << title;
        texts << text;
    }
    bool question(const QString& title, const QString& text, bool defaultYes) override {
        titles << title;
        texts << text;
        if (answers.empty())
            return defaultYes;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }

    QStringList titles;
    QStringList texts;
    std::deque<bool> answers;
};

} // namespace kelvara::test
