#pragma once

#include "catalogue_file.h"
#include "styles/style_details.h"

#include <QByteArrayView>

// Every style of a library, compact, for libraries of hundreds of thousands of styles: each file
// once (its path below the folder and its facts), the styles one after another with their
// numbers, and all names in one block. Files that list no style are not kept.
class LibraryCatalogue {
public:
    explicit LibraryCatalogue(QString folder = {}) : mFolder(std::move(folder)) { }

    void reserve(int files) { mFiles.reserve(files); }
    void add(const CatalogueFile &read);

    [[nodiscard]] int styleCount() const { return int(mStyles.size()); }
    // The style in a row, and the facts of its file (without the file's styles).
    [[nodiscard]] StyleEntry style(int row) const;
    [[nodiscard]] StyleFile file(int row) const;
    [[nodiscard]] QString path(int row) const;
    [[nodiscard]] QString pathBelowFolder(int row) const;
    // The style's name as the file stores it, and as text.
    [[nodiscard]] QByteArrayView nameBytes(int row) const;
    [[nodiscard]] QString nameText(int row) const;
    [[nodiscard]] bool ghost(int row) const { return mStyles[row].ghost; }
    [[nodiscard]] int number(int row) const { return mStyles[row].number; }
    [[nodiscard]] qint32 size(int row) const { return mStyles[row].size; }
    [[nodiscard]] qint32 supplementarySize(int row) const { return mStyles[row].supplementarySize; }
    // The style's place among its file's styles.
    [[nodiscard]] int styleIndex(int row) const { return row - mFiles[mStyles[row].file].firstRow; }
    // The family and tag of the style's file (every listed file has a known format).
    [[nodiscard]] QString family(int row) const;
    // The path below the folder as held, bytes that are not UTF-8 included: sorts the files.
    [[nodiscard]] const QString &heldPath(int row) const { return mFiles[mStyles[row].file].below; }

    // The files whose styles have details to read, in the order of their paths: each file with
    // its styles, and its first row.
    [[nodiscard]] QList<std::pair<int, StyleFile>> filesWithDetails() const;
    // What a style's data says, once read (until then nothing is known).
    void setDetails(int row, const StyleDetails &details);
    [[nodiscard]] StyleDetails details(int row) const;

private:
    struct File {
        QString below;  // the path below the folder
        qint64 size = 0;
        QDateTime modified;
        StyleHeader header;
        int firstRow = 0;
    };
    struct Style {
        qint32 file = 0;
        qint32 nameAt = 0;  // in mNames
        qint32 size = 0;
        qint32 supplementarySize = 0;
        qint32 offset = 0;
        qint32 supplementaryOffset = 0;
        quint16 nameLength = 0;
        quint8 number = 0;  // a file holds at most 64 records or 48 slots
        quint8 slot = 0;
        bool ghost = false;
        bool utf8Name = false;
        bool elementsKnown = false;
        quint16 elements = 0;  // the data-mask bits of the elements that hold music
        // The details, as the file keeps them: meter byte (0: not known), tempo (0: not known),
        // integrity, and where and how a damaged style failed.
        quint8 meter = 0;
        quint8 tempo = 0;
        Integrity integrity = Integrity::NotKnown;
        bool damagedPerformance = false;
        Oc31Problem problem = Oc31Problem::None;
    };

    QString mFolder;
    QList<File> mFiles;
    QList<Style> mStyles;
    QByteArray mNames;
};

// A path below a folder, as people read it.
[[nodiscard]] QString pathBelow(const QString &folder, const QString &path);
