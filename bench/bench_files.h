#pragma once

#include <QByteArray>

// The files the benchmarks measure, made by the test builder.
[[nodiscard]] QByteArray LargestPaSeriesFile();   // about 16 MB, 32 styles with their performance data
[[nodiscard]] QByteArray LargestKorgmFile();      // 48 slots of 65,535 bytes
[[nodiscard]] QByteArray TypicalSmallFile(int variant);  // an i3 file of about 20 KB
