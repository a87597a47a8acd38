#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace kelvara::test {

// A throw-away site folder; removed with the object.
class TempSite {
public:
    TempSite() { m_dir.setAutoRemove(true); }
    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString file(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    // Writes text as given (the caller chooses the line ends).
    void write(const QString& name, const QByteArray& bytes) const;
    [[nodiscard]] QByteArray read(const QString& name) const;
    [[nodiscard]] static QByteArray readFile(const QString& path);

private:
    QTemporaryDir m_dir;
};

} // namespace kelvara::test
