#pragma once

#include <QDialog>

namespace kelvara::ui {

// The product's name while the site loads; the same window is the About box.
class SplashWindow final : public QDialog {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
};

} // namespace kelvara::ui
