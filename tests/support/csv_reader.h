#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// RFC 4180, read back: records of fields; quoted fields with doubled quotes and line ends inside.
[[nodiscard]] QList<QStringList> readCsv(const QByteArray &csv);
