#include "library_catalogue.h"

#include "platform/file_name.h"

void LibraryCatalogue::add(const CatalogueFile &read)
{
    if (!read.file || read.file->styles.isEmpty())
        return;
    const StyleFile &file = *read.file;
    File kept;
    kept.below = read.path.startsWith(mFolder) ? read.path.mid(mFolder.size()) : read.path;
    kept.size = file.size;
    kept.modified = file.modified;
    kept.header = file.header;
    kept.firstRow = int(mStyles.size());
    mFiles.append(kept);
    for (const StyleEntry &style : file.styles) {
        Style s;
        s.file = qint32(mFiles.size() - 1);
        s.nameAt = qint32(mNames.size());
        s.size = style.size;
        s.supplementarySize = style.supplementarySize;
        s.offset = style.offset;
        s.supplementaryOffset = style.supplementaryOffset;
        s.nameLength = quint16(qMin(style.name.size(), qsizetype(0xFFFF)));
        s.number = quint8(style.number);
        s.slot = quint8(style.slot);
        s.ghost = style.ghost;
        mStyles.append(s);
        mNames.append(style.name.constData(), s.nameLength);
    }
}

StyleEntry LibraryCatalogue::style(int row) const
{
    const Style &s = mStyles[row];
    StyleEntry style;
    style.number = s.number;
    style.slot = s.slot;
    style.name = mNames.mid(s.nameAt, s.nameLength);
    style.size = s.size;
    style.supplementarySize = s.supplementarySize;
    style.ghost = s.ghost;
    style.offset = s.offset;
    style.supplementaryOffset = s.supplementaryOffset;
    return style;
}

StyleFile LibraryCatalogue::file(int row) const
{
    const File &f = mFiles[mStyles[row].file];
    StyleFile file;
    file.path = mFolder + f.below;
    file.size = f.size;
    file.modified = f.modified;
    file.header = f.header;
    return file;
}

QString LibraryCatalogue::family(int row) const
{
    return mFiles[mStyles[row].file].header.format->caption();
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
