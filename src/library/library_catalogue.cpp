#include "library_catalogue.h"

#include "platform/file_name.h"

void LibraryCatalogue::add(const CatalogueFile &read)
{
    if (!read.file || read.file->styles.isEmpty())
        return;
    const StyleFile &file = *read.file;
    const QString below = read.path.startsWith(mFolder) ? read.path.mid(mFolder.size()) : read.path;
    mFiles.append({below, file.size, file.modified, file.tag, file.pa1x, file.newerPaDirectory,
        int(mStyles.size())});
    for (const StyleEntry &style : file.styles) {
        const qsizetype length = qMin(style.name.size(), qsizetype(0xFFFF));
        mStyles.append({qint32(mFiles.size() - 1), qint32(mNames.size()), style.size,
            style.supplementarySize, style.offset, style.supplementaryOffset, quint16(length),
            quint8(style.number), quint8(style.slot), style.ghost});
        mNames.append(style.name.constData(), length);
    }
}

StyleEntry LibraryCatalogue::style(int row) const
{
    const Style &s = mStyles[row];
    return {s.number, s.slot, mNames.mid(s.nameAt, s.nameLength), s.size, s.supplementarySize,
        s.ghost, s.offset, s.supplementaryOffset};
}

StyleFile LibraryCatalogue::file(int row) const
{
    const File &f = mFiles[mStyles[row].file];
    return {mFolder + f.below, f.size, f.modified, f.tag, f.pa1x, f.newerPaDirectory, {}};
}

int LibraryCatalogue::compareFiles(int a, int b) const
{
    return mFiles[mStyles[a].file].below.compare(
        mFiles[mStyles[b].file].below, Qt::CaseInsensitive);
}

QString LibraryCatalogue::path(int row) const { return mFolder + mFiles[mStyles[row].file].below; }

QString LibraryCatalogue::pathBelowFolder(int row) const { return pathBelow(mFolder, path(row)); }

QString pathBelow(const QString &folder, const QString &path)
{
    const QString below = path.startsWith(folder) ? path.mid(folder.size()) : path;
    return displayFileName(below.startsWith(QLatin1Char('/')) ? below.mid(1) : below);
}

QLatin1StringView LibraryCatalogue::name(int row) const
{
    return QLatin1StringView(mNames.constData() + mStyles[row].nameAt, mStyles[row].nameLength);
}
