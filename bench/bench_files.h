#pragma once

#include "style_file_builder.h"

#include <QByteArray>

// The files the benchmarks measure, made by the test builder (which also makes paSeriesFile() and
// korgmFile()).
[[nodiscard]] QByteArray largestPaSeriesFile();          // about 16 MB: 32 styles of about 400 KB
[[nodiscard]] QByteArray typicalSmallFile(int variant);  // an i3 file of about 12 KB
[[nodiscard]] QByteArray fullBankFile(int variant);  // an iS40 bank: 48 styles of about 1,200 bytes
// A bank of the newer Pa-series: 32 styles whose compressed chunks keep meter and tempo, each
// with some KB of track data, as real ones have (about 250 KB a bank), half of them with music
// the MIDI export can write.
[[nodiscard]] QByteArray detailedPaFile(int variant);
// A newer bank of one busy style: Variation 1 plays 16 bars of 4/4, 2,000 notes on eight tracks.
[[nodiscard]] QByteArray busyPaFile();

// A hostile bank of the newer Pa-series: 64 style chunks that each declare 16 MiB, zeros that make
// two million empty chunks, at 256 times their payload's size (1 GiB of output from 4 MB).
[[nodiscard]] QByteArray zerosPaFile();
