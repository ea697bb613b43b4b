#pragma once

#include <QByteArray>

// One style that a walker found, as the list and the reports show it.
struct StyleEntry {
    // In the list: the slot of an i-series style, else its place among the styles.
    int number = 0;
    // Its record in the file's table: directory record or slot, from 1.
    int slot = 0;
    QByteArray name;  // 8-bit, one byte per character
    // The main data block and a Pa-series style's performance data: their sizes, and where
    // they start in the file (below 2 GiB; StyleBytes reads them).
    qint32 size = 0;
    qint32 supplementarySize = 0;
    qint32 offset = 0;
    qint32 supplementaryOffset = 0;
    bool ghost = false;  // an i-series slot of 1 to 1176 bytes
};
