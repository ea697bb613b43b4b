#pragma once

#include <QByteArray>
#include <QString>

// Text from style files and file names may hold control characters: on a terminal they would run
// as escape sequences, and a line end in a name would forge lines of output.

// An 8-bit report line for a terminal: each control byte (C0, DEL, C1) as "?".
[[nodiscard]] QByteArray maskControlBytes(QByteArray line);
// Text for a one-line message: each control character escaped, as "\n", "\t" or "\x1b", and a
// C1 control as "\u009b", apart from a byte that is not UTF-8 ("\x9b" in escapedFileName()).
[[nodiscard]] QString escapeControls(const QString &text);
