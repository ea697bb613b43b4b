#include "style_music_cache.h"

#include "styles/style_details.h"

#include <QCoreApplication>

namespace {
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(StyleMusicCache)
};

StyleMusicCache::Found read(
    const StyleFile &file, const StyleEntry &style, const FileService &files)
{
    if (file.header.format == nullptr || file.header.format->series == StyleSeries::I)
        return {std::nullopt, Texts::tr("The music of i-series styles is not known.")};
    if (!hasStyleDetails(file))
        return {std::nullopt, Texts::tr("The music of this generation's styles is not known.")};
    StyleFile one = file;
    one.styles = {style};
    FileStyleMusic read = readStyleMusic(one, files);
    if (read.problem)
        return {std::nullopt, read.problem->text()};
    const StyleReading &reading = read.styles.constFirst();
    if (reading.details.integrity == Integrity::Damaged)
        return {std::nullopt, damageMessage(reading.details, style.number)};
    if (!reading.music)
        return {std::nullopt, Texts::tr("The music of this style is not known.")};
    return {std::move(read.styles.first().music), {}};
}

}  // namespace

StyleMusicCache::Found StyleMusicCache::find(const StyleFile &file, const StyleEntry &style)
{
    const QString key = file.path + QLatin1Char('\n') + QString::number(style.number);
    if (const Found *found = mFound.object(key))
        return *found;
    auto found = std::make_unique<Found>(read(file, style, mFiles));
    const Found copy = *found;
    mFound.insert(key, found.release());
    return copy;
}
