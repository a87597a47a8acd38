#pragma once

#include <QString>

namespace kelvara::notify {

// What a window (or the headless console) shows of the alarm notification.
class NotificationView {
public:
    virtual ~NotificationView() = default;
    // An alarm came while the window sat in the notification area: it comes back into view.
    virtual void restoreWindow() {}
    // The status list: cleared before a send, then its progress lines.
    virtual void clearStatus() {}
    virtual void statusLine(const QString& /*line*/) {}
};

} // namespace kelvara::notify
