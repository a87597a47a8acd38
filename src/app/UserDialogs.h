#pragma once

#include <QString>

namespace kelvara::app {

// Message boxes and yes/no questions: the core asks, the windows (or the headless console) answer.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual void information(const QString& title, const QString& text) = 0;
    // Returns true for Yes. defaultYes is the answer a user gets by pressing Enter.
    virtual bool question(const QString& title, const QString& text, bool defaultYes) = 0;
};

} // namespace kelvara::app
