#pragma once

#include "current_file.h"

// How many bytes of a file decide its format tag.
constexpr qsizetype HeaderSampleLength = 3000;

// Sets FormatTag from the beginning of a file, and for a "KORF" file its Pa1X flag and
// directory layout. "KORF" at offset 23 wins over whatever the first five bytes say.
void ExamineHeaderSample(const QByteArray &sample, CurrentFile &file);
