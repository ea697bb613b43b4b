#pragma once

#include <QByteArray>

// One style that a walker found, as the list and the reports show it.
struct StyleEntry {
    int number = 0;   // in the list: the slot of an i-series style, else its place among the styles
    int slot = 0;     // its record in the file's table: directory record or slot, from 1
    QByteArray name;  // 8-bit, one byte per character
    qint32 size = 0;  // the (main) data block
    qint32 supplementarySize = 0;  // a Pa-series style's performance data
    bool ghost = false;            // an i-series slot of 1 to 1176 bytes
    qint32 offset
        = 0;  // where the (main) block starts in the file (below 2 GiB); see readStyleBytes()
    qint32 supplementaryOffset = 0;
};
