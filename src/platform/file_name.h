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

// The name for programs: a byte that is not UTF-8 as "\xHH" and a backslash as "\\", so that
// every name has its own text, from which its bytes can be had again.
[[nodiscard]] QString escapedFileName(const QString &name);

// Text that a script can read back, one line whatever it holds: "\\" for a backslash, "\n",
// "\r", "\t", "\xHH" for the other C0 controls and DEL, "\u00HH" for the C1 controls, and
// "\xHH" for a byte of a name that is not UTF-8.
[[nodiscard]] QString escapedText(const QString &text);

// `name` below `folder`; below the current folder when `folder` is empty.
[[nodiscard]] QString joinPath(const QString &folder, const QString &name);

// Whether the character at `i` stands for a byte of a name that is not UTF-8, and which.
[[nodiscard]] bool isEscapedByte(const QString &name, qsizetype i);
[[nodiscard]] inline quint8 escapedByte(QChar c) { return quint8(c.unicode() - 0xDC00); }
