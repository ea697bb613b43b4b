#pragma once

#include <QString>

// A time signature: 3/4, 6/8.
struct Meter {
    int numerator = 0;
    int denominator = 0;

    [[nodiscard]] QString text() const
    {
        return QStringLiteral("%1/%2").arg(numerator).arg(denominator);
    }
};
