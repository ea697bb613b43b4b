#include "test_support.h"

#include "reports/export_report.h"

#include <QFileInfo>

QString summary(const LoadResult &result)
{
    QString text = QStringLiteral("no file");
    if (const std::optional<StyleFile> &file = result.file) {
        text = QStringLiteral("%1+%2:").arg(file->usableCount()).arg(file->ghostCount());
        for (const StyleEntry &s : file->styles) {
            QString name;
            for (const char c : s.name)
                name += c >= 0x20 && c < 0x7F
                    ? QString(QLatin1Char(c))
                    : QStringLiteral("\\x%1").arg(quint8(c), 2, 16, QLatin1Char('0'));
            text += QStringLiteral("%1 %2@%3 \"")
                        .arg(&s == &file->styles.constFirst() ? "" : ",")
                        .arg(s.number)
                        .arg(s.slot)
                + name + QStringLiteral("\" %1+%2").arg(s.size).arg(s.supplementarySize)
                + (s.ghost ? " ghost" : "");
        }
    }
    return result.message ? text + QStringLiteral(" ! ") + describeMessage(*result.message) : text;
}

QString loadSummary(const QByteArray &bytes, const QString &name)
{
    TestFolder folder;
    return summary(loadStyleFile(folder.write(name, bytes), FileService()));
}

QString damaged(const QString &problem, const QString &counts)
{
    return counts + QStringLiteral(" ! warning Quarv: Damaged style file: TEST.STY: ") + problem
        + QLatin1Char('.');
}

QByteArray exported(const StyleFile &file)
{
    QByteArray out;
    writeTextReport(reportSource(file, fileInfoCaptions(file)),
        [&](QByteArrayView line) { out += line.toByteArray() + "\r\n"; });
    return out;
}

TestFolder::TestFolder() { EXPECT_TRUE(mDir.isValid()); }

TestFolder::~TestFolder()
{
    for (auto file = mStyleFiles.cbegin(); file != mStyleFiles.cend(); ++file) {
        EXPECT_TRUE(readBytes(file.key()) == file.value()
            && QFileInfo(file.key()).lastModified() == fixedModificationTime())
            << "a style file was changed: " << file.key().toStdString();
    }
}

QDateTime fixedModificationTime()
{
    return QDateTime(QDate(2004, 3, 15), QTime(10, 20, 30, 700));
}  // the milliseconds are not shown

QString TestFolder::write(const QString &name, const QByteArray &bytes)
{
    const QString file = path(name);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    EXPECT_TRUE(
        out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size())
        << file.toStdString();
    EXPECT_TRUE(
        out.flush() && out.setFileTime(fixedModificationTime(), QFileDevice::FileModificationTime));
    if (name.endsWith(QLatin1String(".sty"), Qt::CaseInsensitive))
        mStyleFiles.insert(file, bytes);
    return file;
}

void TestFolder::remove(const QString &name)
{
    mStyleFiles.remove(path(name));
    EXPECT_TRUE(QFile::remove(path(name)));
}

QByteArray readBytes(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}
