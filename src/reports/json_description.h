#pragma once

#include "styles/style_loader.h"

#include <QJsonObject>

// A style file as quarv-report --json describes it. Every object has the same keys: path,
// message, name, size, modified (ISO 8601 with its UTC offset), tag, family, pa1x, usable,
// ghost, styles; null where a value does not apply.
[[nodiscard]] QJsonObject describeStyleFile(const QString &path, const LoadResult &result);
