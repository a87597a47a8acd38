#pragma once

#include "base/UserDialogs.h"

class QWidget;

namespace kelvara::ui {

// Message boxes over the window that owns them, with the icon of their kind.
class WidgetDialogs final : public base::UserDialogs {
public:
    explicit WidgetDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void message(Kind kind, const QString& title, const QString& text) override;
    bool question(const QString& title, const QString& text, bool defaultYes) override;
    Answer questionOrCancel(const QString& title, const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace kelvara::ui
