#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace kelvara::install {

// What a grid column holds, so an edit of the wrong kind can be refused before it reaches the table.
enum class CellKind { Text, Integer, Number, Flag, ReadOnly };

// The typed value of an edited cell (its text, or a value of the column's own type), or nothing when it is
// not of the column's kind. Flags take True/False, Yes/No or 1/0/-1 in any letter case; numbers take a
// point or a comma as decimal sign; a text column with a maxLength takes at most that many characters.
[[nodiscard]] std::optional<QVariant> parseCell(CellKind kind, const QVariant& value, int maxLength = 0);

// The message an edit of this kind gets when its value is refused.
[[nodiscard]] QString cellRefusal(CellKind kind, const QString& column, int maxLength);

} // namespace kelvara::install
