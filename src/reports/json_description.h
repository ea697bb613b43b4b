#pragma once

#include "styles/style_details.h"
#include "styles/style_loader.h"

#include <QJsonObject>

// A style file as quarv-report --json describes it. Every object has the same keys: path,
// message, name, size, modified (ISO 8601 with its UTC offset), tag, family, pa1x, usable,
// ghost, styles; null where a value does not apply. Paths and file names are written as
// escapedFileName() writes them.
// With the styles' details, each style also has meter ("3/4"), tempo, damaged (the message) and
// elements (those that hold music, in the instrument's order: ["V1", "V2", "IN1"]), each null
// where it is not known or does not apply.
[[nodiscard]] QJsonObject describeStyleFile(
    const QString &path, const LoadResult &result, const QList<StyleDetails> *details = nullptr);

// The object as an element of the indented array that quarv-report writes, without a line end:
// each line indented by four blanks, and U+007F to U+009F escaped like the other control
// characters (QJsonDocument writes them raw, and U+009B would reach a terminal as CSI).
[[nodiscard]] QByteArray jsonArrayElement(const QJsonObject &object);
