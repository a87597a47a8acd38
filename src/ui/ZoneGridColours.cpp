#include "ui/ZoneGridColours.h"

#include "monitoring/ZoneListModel.h"

#include <QColor>

namespace kelvara::ui {

QVariant ZoneGridColours::data(const QModelIndex& index, int role) const {
    if (role != Qt::BackgroundRole)
        return QIdentityProxyModel::data(index, role);
    using State = monitoring::ZoneListModel::RowState;
    switch (static_cast<State>(
        QIdentityProxyModel::data(index, monitoring::ZoneListModel::RowStateRole).toInt())) {
    case State::Raised:
        return QColor(255, 0, 0);
    case State::Disabled:
        return QColor(255, 255, 0);
    case State::Normal:
        break;
    }
    return QColor(255, 255, 255);
}

} // namespace kelvara::ui
