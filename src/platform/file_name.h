#pragma once

#include <QByteArray>
#include <QString>

// File names are bytes on Linux, and need not be UTF-8. QFile::decodeName() turns the bytes that
// are not into U+FFFD, so such a file could not be opened again. These keep every byte: one
// that is not part of a UTF-8 character becomes a lone surrogate U+DC80..U+DCFF (as Python's
// "surrogateescape" does), and encodeFileName() gives it back.
[[nodiscard]] QString decodeFileName(const QByteArray &bytes);
[[nodiscard]] QByteArray encodeFileName(const QString &name);

// The name for people: bytes that are not UTF-8 as U+FFFD.
[[nodiscard]] QString displayFileName(QString name);
