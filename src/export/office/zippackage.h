#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A zip archive built in memory, entries in the order they were added.
class ZipPackage
{
public:
    void add(const QString &name, const QByteArray &bytes);

    // The archive; nothing, with errorString() set, when it cannot be made.
    std::optional<QByteArray> bytes();
    QString errorString() const { return m_error; }

private:
    QList<std::pair<QByteArray, QByteArray>> m_entries; // UTF-8 name, content
    QString m_error;
};
