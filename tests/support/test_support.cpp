#include "test_support.h"

#include "pa_style_chunks.h"
#include "platform/file_name.h"
#include "reports/export_report.h"

#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

QString summary(const LoadResult &result)
{
    QString text = QString("no file");
    if (const std::optional<StyleFile> &file = result.file) {
        text = QString("%1+%2:").arg(file->usableCount()).arg(file->ghostCount());
        for (const StyleEntry &s : file->styles) {
            QString name;
            for (const char c : s.name)
                name += c >= 0x20 && c < 0x7F
                    ? QString(QLatin1Char(c))
                    : QString("\\x%1").arg(quint8(c), 2, 16, QLatin1Char('0'));
            text += QString("%1 %2@%3 \"")
                        .arg(&s == &file->styles.constFirst() ? "" : ",")
                        .arg(s.number)
                        .arg(s.slot)
                + name + QString("\" %1+%2").arg(s.size).arg(s.supplementarySize)
                + (s.ghost ? " ghost" : "");
        }
    }
    return result.message ? text + QString(" ! ") + describeMessage(*result.message) : text;
}

QString loadSummary(const QByteArray &bytes, const QString &name)
{
    TestFolder folder;
    return summary(loadStyleFile(folder.write(name, bytes), FileService()));
}

QString damaged(const QString &problem, const QString &counts)
{
    return counts + QString(" ! warning Quarv: Damaged style file: TEST.STY: ") + problem
        + QLatin1Char('.');
}

QByteArray exported(const StyleFile &file)
{
    QByteArray out;
    writeTextReport(reportSource(file, fileInfoCaptions(file)),
        [&](QByteArrayView line) { out += line.toByteArray() + "\r\n"; });
    return out;
}

QByteArray detailedBank()
{
    QByteArray broken = paStyleChunk(4, 4);
    broken.back() ^= 1;  // the check byte
    return PaFileBuilder()
        .newerDirectory()
        .record("Jig", 2, paStyleChunk(6, 8))
        .record("March", 2, paStyleChunk(4, 4))
        .record("Waltz", 2, paStyleChunk(3, 4))
        .record("Broken", 2, broken)
        .record({}, 7, paPerformanceChunk(TempoLayout::Version20, 100))
        .record({}, 7, paPerformanceChunk(TempoLayout::Version10, 120))
        .record({}, 7, paPerformanceChunk(TempoLayout::Version21, 90))
        .bytes();
}

TestFolder::TestFolder() { EXPECT_TRUE(mDir.isValid()); }

TestFolder::~TestFolder()
{
    const FileService files;
    for (auto file = mStyleFiles.cbegin(); file != mStyleFiles.cend(); ++file) {
        EXPECT_TRUE(readBytes(file.key()) == file.value()
            && files.openForReading(file.key())->facts().modified == fixedModificationTime())
            << "a style file was changed: " << file.key().toStdString();
    }
    // Byte by byte: QTemporaryDir would pass over the names that are not UTF-8.
    mDir.setAutoRemove(false);
    ::nftw(
        encodeFileName(mDir.path()).constData(),
        [](const char *path, const struct stat *, int, FTW *) { return ::remove(path); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

QDateTime fixedModificationTime()
{
    return QDateTime(QDate(2004, 3, 15), QTime(10, 20, 30, 700));  // the milliseconds are not shown
}

QString TestFolder::write(const QString &name, const QByteArray &bytes)
{
    const QString file = path(name);
    QByteArray folder = encodeFileName(file);
    for (qsizetype slash = folder.indexOf('/', 1); slash > 0;
         slash = folder.indexOf('/', slash + 1))
        ::mkdir(folder.left(slash).constData(), 0755);
    const int fd = ::open(folder.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const timespec times[2]
        = {{0, UTIME_OMIT}, {time_t(fixedModificationTime().toSecsSinceEpoch()), 700 * 1000000}};
    EXPECT_TRUE(fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size()
        && ::futimens(fd, times) == 0 && ::close(fd) == 0)
        << file.toStdString();
    if (name.endsWith(QLatin1String(".sty"), Qt::CaseInsensitive))
        mStyleFiles.insert(file, bytes);
    return file;
}

void TestFolder::remove(const QString &name)
{
    mStyleFiles.remove(path(name));
    EXPECT_EQ(::unlink(encodeFileName(path(name)).constData()), 0);
}

QByteArray readBytes(const QString &path)
{
    try {
        const FileService files;  // outlives the file, which counts its reads in it
        const auto file = files.openForReading(path);
        return file->readAt(0, file->facts().size);
    } catch (const FileError &) {
        return {};
    }
}
