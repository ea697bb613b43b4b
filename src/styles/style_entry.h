#pragma once

#include <QByteArray>
#include <QString>

// One style that a walker found, as the list and the reports show it.
struct StyleEntry {
    // In the list: the slot of an i-series style, else its place among the styles.
    int number = 0;
    // Its record in the file's table: directory record or slot, from 1.
    int slot = 0;
    // As the file stores it: 8-bit, one byte a character, or UTF-8 (valid) in the newer
    // Pa-series directory.
    QByteArray name;
    // The main data block and a Pa-series style's performance data: their sizes, and where
    // they start in the file (below 2 GiB; StyleBytes reads them).
    qint32 size = 0;
    qint32 supplementarySize = 0;
    qint32 offset = 0;
    qint32 supplementaryOffset = 0;
    bool ghost = false;     // an i-series slot of 1 to 1176 bytes
    bool utf8Name = false;  // the name is UTF-8 (the newer Pa-series directory's)

    // The name as text: each byte a Latin-1 character, or its UTF-8.
    [[nodiscard]] QString nameText() const;
    // The name in 8 bits, as the text report writes it: outside Latin-1 as '?'.
    [[nodiscard]] QByteArray eightBitName() const;
};

[[nodiscard]] QString styleNameText(QByteArrayView name, bool utf8);
