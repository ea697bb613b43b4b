#pragma once

#include "platform/file_error.h"
#include "platform/file_name.h"
#include "scripted_dialogs.h"
#include "style_file_builder.h"
#include "styles/style_loader.h"

#include <QtCore>

#include <gtest/gtest.h>
#include <functional>
#include <ostream>

// Readable failure output for Qt texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray &bytes, std::ostream *os)
{
    *os << '"' << bytes.toPercentEncoding(" !#$&'()*+,-./:;=?@[]^_{|}~<>").toStdString() << '"';
}

// A temporary folder for the files a test writes. Every style file (.sty in any case) written
// here must still have its bytes and modification time when the folder goes: nothing that loads
// a style file may change it.
class TestFolder {
public:
    TestFolder();
    ~TestFolder();

    [[nodiscard]] QString path(const QString &name) const { return mDir.filePath(name); }
    // Writes bytes to name, making its folders, and gives the file a fixed modification time.
    QString write(const QString &name, const QByteArray &bytes);
    // Removes a file on purpose.
    void remove(const QString &name);

private:
    QTemporaryDir mDir;
    QHash<QString, QByteArray> mStyleFiles;  // path: bytes
};

[[nodiscard]] QByteArray readBytes(const QString &path);

// 15/03/2004 10:20:30 local time.
[[nodiscard]] QDateTime fixedModificationTime();

// The real file service, with hooks run after a file is opened and before a folder is listed: a
// test can change the file, hold the reader, or refuse the folder by throwing FileError; and
// folders listed in descending order of their names if asked.
class HookedFileService : public FileService {
public:
    std::unique_ptr<ReadOnlyFile> openForReading(const QString &path) const override
    {
        auto file = FileService::openForReading(path);
        afterOpening(path);
        return file;
    }
    FolderListing listFolder(const QString &path) const override
    {
        beforeListing(path);
        FolderListing listing = FileService::listFolder(path);
        if (descending)  // as another file system may list them
            std::sort(listing.entries.begin(), listing.entries.end(),
                [](const FolderEntry &a, const FolderEntry &b) { return a.name > b.name; });
        return listing;
    }
    bool descending = false;
    std::function<void(const QString &path)> afterOpening = [](const QString &) {},
                                             beforeListing = [](const QString &) {};
};

// A load's outcome in one line: "<usable>+<ghost>:" and each style as number@slot "name"
// size+supplementary [ghost], bytes outside printable ASCII as \xNN ("no file" when the file
// could not be read at all); then the message, if any, after " ! " as describeMessage() writes it.
[[nodiscard]] QString summary(const LoadResult &result);

// The summary of the bytes loaded through the real file service from a file called `name`.
[[nodiscard]] QString loadSummary(
    const QByteArray &bytes, const QString &name = QString("TEST.STY"));

// The summary of a TEST.STY that the loader calls damaged.
[[nodiscard]] QString damaged(const QString &problem, const QString &counts = QString("0+0:"));

// The text-file report of a style file, with the panel's captions as the window shows them.
[[nodiscard]] QByteArray exported(const StyleFile &file);

// A bank of the Pa600 generation and later whose meters and tempos are known: Jig (6/8, 100),
// March (4/4, 120), Waltz (3/4, 90), and "broken", a 4/4 style whose data fails its check.
[[nodiscard]] QByteArray detailedBank();

// A bank of the Pa600 generation: the first models' header, but its styles compressed and the
// tempo in the version 1.0 performance chunk: Jig (3/8, 30) and March (4/4, 120).
[[nodiscard]] QByteArray pa600Bank();

// A "KORGM" file with `count` filled slots named "Style <k>"; every slot in `ghosts` is a ghost.
inline QByteArray korgmWithStyles(int count, const QList<int> &ghosts = {})
{
    ISeriesFileBuilder builder("KORGM");
    for (int k = 1; k <= count; ++k)
        builder.slot(ghosts.contains(k) ? 500 : 1200 + k,
            ("Style " + QByteArray::number(k)).leftJustified(11));
    return builder.build();
}
