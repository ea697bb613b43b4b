#include "library_catalogue.h"

#include "platform/file_name.h"

#include <algorithm>

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
        s.utf8Name = style.utf8Name;
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
    style.utf8Name = s.utf8Name;
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

QByteArrayView LibraryCatalogue::nameBytes(int row) const
{
    return QByteArrayView(mNames.constData() + mStyles[row].nameAt, mStyles[row].nameLength);
}

QString LibraryCatalogue::nameText(int row) const
{
    return styleNameText(nameBytes(row), mStyles[row].utf8Name);
}

QList<std::pair<int, StyleFile>> LibraryCatalogue::filesWithDetails() const
{
    QList<std::pair<int, StyleFile>> files;
    for (const File &f : mFiles) {
        StyleFile file = this->file(f.firstRow);
        if (!hasStyleDetails(file))
            continue;
        for (int row = f.firstRow;
             row < mStyles.size() && mStyles[row].file == mStyles[f.firstRow].file; ++row)
            file.styles.append(style(row));
        files.append({f.firstRow, std::move(file)});
    }
    // In the order of their paths, as they are listed, not as they happened to be read.
    std::sort(files.begin(), files.end(),
        [&](const auto &a, const auto &b) { return heldPath(a.first) < heldPath(b.first); });
    return files;
}

void LibraryCatalogue::setDetails(int row, const StyleDetails &details)
{
    Style &s = mStyles[row];
    int power = 0;
    while (details.meter && (1 << power) < details.meter->denominator)
        ++power;
    s.meter = details.meter ? quint8(details.meter->numerator << 3 | power) : 0;
    s.tempo = details.tempo ? quint8(*details.tempo) : 0;
    s.elementsKnown = details.elementsWithMusic.has_value();
    s.elements = details.elementsWithMusic.value_or(0);
    s.integrity = details.integrity;
    s.damagedPerformance = details.damagedPart == StylePart::Supplementary;
    s.problem = details.problem;
}

StyleDetails LibraryCatalogue::details(int row) const
{
    const Style &s = mStyles[row];
    StyleDetails details;
    if (s.meter != 0)
        details.meter = Meter {s.meter >> 3, 1 << (s.meter & 7)};
    if (s.tempo != 0)
        details.tempo = s.tempo;
    if (s.elementsKnown)
        details.elementsWithMusic = s.elements;
    details.integrity = s.integrity;
    details.damagedPart = s.damagedPerformance ? StylePart::Supplementary : StylePart::Main;
    details.problem = s.problem;
    return details;
}
