#include "platform/file_name.h"
#include "platform/file_service.h"
#include "qt_printers.h"
#include "style_files_on_disk.h"

#include <gtest/gtest.h>

TEST(ReadOnlyFile, ReadsBytesAsTheyAreUpToTheEnd)
{
    TestFolder folder;
    const QByteArray bytes("\0\r\n\xff" "abcdef", 10);
    const FileService files;
    const auto file = files.openForReading(folder.write(QStringLiteral("bytes.bin"), bytes));
    EXPECT_EQ(file->readAt(1, 3), bytes.mid(1, 3));
    EXPECT_EQ(file->readAt(6, 100), QByteArray("cdef"));
    EXPECT_TRUE(file->readAt(10, 1).isEmpty());
    EXPECT_EQ(files.bytesRead(), 7);
    EXPECT_EQ(file->facts().size, 10);
}

// The target is replaced only when the whole report was written and committed.
TEST(TextWriter, WritesCrLfLinesAndReplacesOnlyOnCommit)
{
    TestFolder folder;
    const QString path = folder.write(QStringLiteral("out.txt"), "old");
    {
        const auto writer = FileService().createTextFile(path);
        writer->writeLine("one");
        writer->writeLine(QByteArray("\xe9", 1));
        EXPECT_EQ(readBytes(path), "old");
        writer->commit();
    }
    EXPECT_EQ(readBytes(path), QByteArray("one\r\n\xe9\r\n"));
    FileService().createTextFile(path)->writeLine("abandoned");
    EXPECT_EQ(readBytes(path), QByteArray("one\r\n\xe9\r\n"));
}

// Every byte of a file name survives the round trip; what is not UTF-8 shows as U+FFFD.
TEST(FileName, KeepsEveryByte)
{
    const struct {
        QByteArray bytes;
        QString shown;
    } cases[] = {
        {"plain/ascii.STY", "plain/ascii.STY"},
        {"caf\xc3\xa9 \xf0\x9f\x8e\xb9.sty", QString::fromUtf8("caf\xc3\xa9 \xf0\x9f\x8e\xb9.sty")},
        {"bad\xff\xfe.STY", QString::fromUtf8("bad\xef\xbf\xbd\xef\xbf\xbd.STY")},
        {"cut\xc3", QString::fromUtf8("cut\xef\xbf\xbd")},
        {"overlong\xc0\xaf", QString::fromUtf8("overlong\xef\xbf\xbd\xef\xbf\xbd")},
        {"surrogate\xed\xa0\x80", QString::fromUtf8("surrogate\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd")},
        // U+10080 is a surrogate pair whose low half lies in the range that escapes bytes.
        {"pair\xf0\x90\x82\x80\x80", QString::fromUtf8("pair\xf0\x90\x82\x80\xef\xbf\xbd")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(encodeFileName(decodeFileName(c.bytes)), c.bytes) << c.bytes.toHex().data();
        EXPECT_EQ(displayFileName(decodeFileName(c.bytes)), c.shown) << c.bytes.toHex().data();
    }
}
