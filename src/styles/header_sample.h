#pragma once

#include "style_file.h"

// How many bytes of a file decide its format.
constexpr qsizetype HeaderSampleLength = 3000;

// Sets the file's tag from the beginning of the file, and for a "KORF" file its Pa1X flag and
// directory layout. "KORF" at offset 23 wins over whatever the first five bytes say.
void examineHeaderSample(const QByteArray &sample, StyleFile &file);
