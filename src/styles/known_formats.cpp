#include "known_formats.h"

#include <array>
#include <iterator>

const QString &KnownFormat::caption() const
{
    // Made once: a library's CSV asks for one per style.
    static const auto captions = [] {
        std::array<QString, std::size(KnownFormats)> all;
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = QStringLiteral("%1 (%2)").arg(
                QLatin1String(KnownFormats[i].family), QLatin1String(KnownFormats[i].tag));
        return all;
    }();
    return captions[std::size_t(this - KnownFormats)];
}

const KnownFormat *iSeriesFormat(QByteArrayView tag)
{
    for (const KnownFormat &format : KnownFormats) {
        if (format.series == StyleSeries::I && tag == format.tag)
            return &format;
    }
    return nullptr;
}
