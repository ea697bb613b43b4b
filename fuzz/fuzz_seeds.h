#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

struct FuzzSeed {
    QString target;  // "any", "pa", "i", "details", "writers" or "music"
    QString name;
    QByteArray bytes;
};

// Well-formed files of every family and layout, small enough for quick mutation.
[[nodiscard]] std::vector<FuzzSeed> fuzzSeeds();
