#include "reports/SelectionFormula.h"

#include <QDate>
#include <algorithm>
#include <optional>

namespace kelvara::reports {

namespace {

QString quoted(const QString& identifier) {
    QString text = identifier;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A recursive-descent reader over the formula's characters; every failure names what was expected and where.
class Reader {
public:
    Reader(const QString& text, const std::vector<FormulaTable>& tables) : m_text(text), m_tables(tables) {}

    base::Result<SqlCondition> formula() {
        SqlCondition condition;
        for (;;) {
            if (auto compared = comparison(condition); !compared)
                return compared.failure();
            skipSpace();
            if (atEnd())
                return condition;
            if (!word(QStringLiteral("and")))
                return failAt(QStringLiteral("\"and\" or the end"));
            condition.sql += QStringLiteral(" AND ");
        }
    }

private:
    base::Result<void> comparison(SqlCondition& condition) {
        if (auto left = operand(condition); !left)
            return left;
        skipSpace();
        static const QStringList operators{QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                           QStringLiteral("="),  QStringLiteral("<"),  QStringLiteral(">")};
        const auto found = std::find_if(operators.begin(), operators.end(), [this](const QString& op) {
            return m_text.mid(m_at).startsWith(op);
        });
        if (found == operators.end())
            return failAt(QStringLiteral("a comparison (=, <>, <, <=, >, >=)"));
        m_at += found->size();
        condition.sql += QLatin1Char(' ') + *found + QLatin1Char(' ');
        return operand(condition);
    }

    base::Result<void> operand(SqlCondition& condition) {
        skipSpace();
        if (atEnd())
            return failAt(QStringLiteral("a field, a number or a date"));
        const QChar c = m_text.at(m_at);
        if (c == QLatin1Char('{'))
            return field(condition);
        if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            const auto value = number();
            if (!value)
                return value.failure();
            condition.sql += QLatin1Char('?');
            condition.binds << *value;
            return {};
        }
        if (word(QStringLiteral("date")))
            return date(condition);
        return failAt(QStringLiteral("a field, a number or a date"));
    }

    base::Result<void> field(SqlCondition& condition) {
        const qsizetype start = m_at;
        const qsizetype close = m_text.indexOf(QLatin1Char('}'), m_at);
        if (close < 0)
            return failAt(QStringLiteral("a closing }"));
        const QString inside = m_text.mid(m_at + 1, close - m_at - 1).trimmed();
        m_at = close + 1;
        const qsizetype dot = inside.indexOf(QLatin1Char('.'));
        if (dot <= 0 || dot == inside.size() - 1)
            return base::fail(QStringLiteral("The field {%1} at position %2 is not written {Table.Field}.")
                                  .arg(inside)
                                  .arg(start + 1));
        const QString tableName = inside.left(dot).trimmed();
        const QString fieldName = inside.mid(dot + 1).trimmed();
        for (const FormulaTable& table : m_tables) {
            if (table.name.compare(tableName, Qt::CaseInsensitive) != 0)
                continue;
            for (const QString& column : table.columns) {
                if (column.compare(fieldName, Qt::CaseInsensitive) == 0) {
                    condition.sql += quoted(table.name) + QLatin1Char('.') + quoted(column);
                    return {};
                }
            }
        }
        return base::fail(QStringLiteral("The report has no field {%1}.").arg(inside));
    }

    base::Result<QVariant> number() {
        const qsizetype start = m_at;
        if (m_text.at(m_at) == QLatin1Char('-'))
            ++m_at;
        while (!atEnd() && (m_text.at(m_at).isDigit() || m_text.at(m_at) == QLatin1Char('.')))
            ++m_at;
        const QString text = m_text.mid(start, m_at - start);
        bool ok = false;
        if (!text.contains(QLatin1Char('.'))) {
            const qlonglong whole = text.toLongLong(&ok);
            if (ok)
                return QVariant(whole);
        } else {
            const double value = text.toDouble(&ok);
            if (ok)
                return QVariant(value);
        }
        return base::fail(QStringLiteral("\"%1\" at position %2 is not a number.").arg(text).arg(start + 1));
    }

    base::Result<void> date(SqlCondition& condition) {
        const qsizetype start = m_at;
        skipSpace();
        if (!take(QLatin1Char('(')))
            return failAt(QStringLiteral("( after Date"));
        int parts[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            skipSpace();
            if (atEnd() || !(m_text.at(m_at).isDigit()))
                return failAt(QStringLiteral("a whole number in Date(year, month, day)"));
            const auto value = number();
            if (!value)
                return value.failure();
            if (value->typeId() != QMetaType::LongLong || value->toLongLong() > 9999)
                return failAt(QStringLiteral("a whole number in Date(year, month, day)"));
            parts[i] = static_cast<int>(value->toLongLong());
            skipSpace();
            if (!take(i < 2 ? QLatin1Char(',') : QLatin1Char(')')))
                return failAt(i < 2 ? QStringLiteral(", in Date(year, month, day)")
                                    : QStringLiteral(") closing Date(year, month, day)"));
        }
        const QDate day(parts[0], parts[1], parts[2]);
        if (!day.isValid())
            return base::fail(QStringLiteral("Date(%1, %2, %3) at position %4 is not a calendar day.")
                                  .arg(parts[0])
                                  .arg(parts[1])
                                  .arg(parts[2])
                                  .arg(start - 3));
        condition.sql += QLatin1Char('?');
        condition.binds << day.toString(Qt::ISODate);
        return {};
    }

    // A keyword in any case, standing alone (not the start of a longer word).
    bool word(const QString& keyword) {
        if (m_text.mid(m_at, keyword.size()).compare(keyword, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = m_at + keyword.size();
        if (after < m_text.size() &&
            (m_text.at(after).isLetterOrNumber() || m_text.at(after) == QLatin1Char('_')))
            return false;
        m_at = after;
        return true;
    }

    bool take(QChar c) {
        if (atEnd() || m_text.at(m_at) != c)
            return false;
        ++m_at;
        return true;
    }

    void skipSpace() {
        while (!atEnd() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    [[nodiscard]] bool atEnd() const { return m_at >= m_text.size(); }

    [[nodiscard]] base::Failure failAt(const QString& expected) const {
        return base::fail(
            atEnd()
                ? QStringLiteral("The formula ends where %1 was expected.").arg(expected)
                : QStringLiteral("Expected %1 at position %2 of the formula.").arg(expected).arg(m_at + 1));
    }

    const QString& m_text;
    const std::vector<FormulaTable>& m_tables;
    qsizetype m_at = 0;
};

} // namespace

base::Result<SqlCondition> SelectionFormula::parse(const QString& formula,
                                                   const std::vector<FormulaTable>& tables) {
    if (formula.trimmed().isEmpty())
        return base::fail(QStringLiteral("The selection formula is empty."));
    return Reader(formula, tables).formula();
}

} // namespace kelvara::reports
