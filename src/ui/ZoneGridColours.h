#pragma once

#include <QIdentityProxyModel>

namespace kelvara::ui {

// The zone grid's row colours over the zones: white for a normal zone, red while its alarm is raised,
// yellow while it is temporarily disabled.
class ZoneGridColours final : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};

} // namespace kelvara::ui
