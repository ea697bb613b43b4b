#pragma once

#include <QByteArray>

// The files the benchmarks measure, made by the test builder.
[[nodiscard]] QByteArray largestPaSeriesFile();   // about 16 MB, 32 styles with their performance data
[[nodiscard]] QByteArray largestKorgmFile();      // 48 slots of 65,535 bytes
[[nodiscard]] QByteArray typicalSmallFile(int variant);  // an i3 file of about 20 KB
