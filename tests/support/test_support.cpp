#include "test_support.h"

#include "pa_style_chunks.h"
#include "reports/export_report.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

QString summary(const LoadResult &result)
{
    if (!result.file)
        return "no file ! " + describeMessage(result.problem->message());
    QString text = QString("%1+%2:").arg(result.file->usableCount()).arg(result.file->ghostCount());
    for (const StyleEntry &s : result.file->styles) {
        QString name;
        for (const char c : s.name)
            name += c >= 0x20 && c < 0x7F ? QString(c)
                                          : QString("\\x%1").arg(quint8(c), 2, 16, QChar('0'));
        text += QString(&s == &result.file->styles.constFirst() ? " " : ", ")
            + QString::number(s.number) + '@' + QString::number(s.slot) + " \"" + name + "\" "
            + QString::number(s.size) + '+' + QString::number(s.supplementarySize)
            + (s.ghost ? " ghost" : "");
    }
    return result.problem ? text + " ! " + describeMessage(result.problem->message()) : text;
}

QString loadSummary(const QByteArray &bytes, const QString &name)
{
    TestFolder folder;
    return summary(loadStyleFile(folder.write(name, bytes), FileService()));
}

QString damaged(const QString &problem, const QString &counts)
{
    return counts + " ! warning Quarv: Damaged style file: TEST.STY: " + problem + QLatin1Char('.');
}

QByteArray exported(const StyleFile &file)
{
    QByteArray out;
    writeTextReport(
        reportSource(file), [&](QByteArrayView line) { out += line.toByteArray() + "\r\n"; });
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
        .record("broken", 2, broken)
        .record({}, 7, paPerformanceChunk(TempoLayout::Version20, 100))
        .record({}, 7, paPerformanceChunk(TempoLayout::Version10, 120))
        .record({}, 7, paPerformanceChunk(TempoLayout::Version21, 90))
        .bytes();
}

QByteArray pa600Bank()
{
    return PaFileBuilder()
        .pa600Header()
        .record("Jig", 2, paStyleChunk(3, 8, 0, Generation::Pa600))
        .record("March", 2, paStyleChunk(4, 4, 0, Generation::Pa600))
        .record({}, 7, paPerformanceChunk(TempoLayout::Version10, 30))
        .record({}, 7, paPerformanceChunk(TempoLayout::Version10, 120))
        .bytes();
}

// Names are bytes: QFile would write the ones that are not UTF-8 as other bytes.
static std::string bytePath(const QString &path) { return encodeFileName(path).toStdString(); }

TestFolder::TestFolder() { EXPECT_TRUE(mDir.isValid()); }

TestFolder::~TestFolder()
{
    const FileService files;
    for (auto file = mStyleFiles.cbegin(); file != mStyleFiles.cend(); ++file) {
        EXPECT_TRUE(readBytes(file.key()) == file.value()
            && files.openForReading(file.key())->facts().modified == fixedModificationTime())
            << "a style file was changed: " << file.key().toStdString();
    }
    mDir.setAutoRemove(false);  // QTemporaryDir would pass over the names that are not UTF-8
    std::filesystem::remove_all(bytePath(mDir.path()));
}

QDateTime fixedModificationTime()
{
    return QDateTime(QDate(2004, 3, 15), QTime(10, 20, 30, 999));  // the milliseconds are not shown
}

QString TestFolder::write(const QString &name, const QByteArray &bytes)
{
    const QString file = path(name);
    std::filesystem::create_directories(std::filesystem::path(bytePath(file)).parent_path());
    std::ofstream out(bytePath(file), std::ios::binary);
    const timespec times[2]
        = {{0, UTIME_OMIT}, {time_t(fixedModificationTime().toSecsSinceEpoch()), 999999999}};
    EXPECT_TRUE(out.write(bytes.constData(), bytes.size()).flush()
        && ::utimensat(AT_FDCWD, bytePath(file).c_str(), times, 0) == 0)
        << file.toStdString();
    if (name.endsWith(QLatin1String(".sty"), Qt::CaseInsensitive))
        mStyleFiles.insert(file, bytes);
    return file;
}

void TestFolder::remove(const QString &name)
{
    mStyleFiles.remove(path(name));
    EXPECT_TRUE(std::filesystem::remove(bytePath(path(name))));
}

QByteArray readBytes(const QString &path)
{
    std::ifstream in(bytePath(path), std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}
