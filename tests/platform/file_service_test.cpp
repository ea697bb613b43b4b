#include "platform/file_service.h"
#include "qt_printers.h"
#include "style_files_on_disk.h"

#include <gtest/gtest.h>

TEST(ReadOnlyFile, ReadsBytesAsTheyAreUpToTheEnd)
{
    TestFolder folder;
    const QByteArray bytes("\0\r\n\xff" "abcdef", 10);
    const auto file = FileService().openForReading(folder.write(QStringLiteral("bytes.bin"), bytes));
    EXPECT_EQ(file->readAt(1, 3), bytes.mid(1, 3));
    EXPECT_EQ(file->readAt(6, 100), QByteArray("cdef"));
    EXPECT_TRUE(file->readAt(10, 1).isEmpty());
    file->close();
    EXPECT_TRUE(file->readAt(0, 1).isEmpty());
}

// The target is replaced only when the whole report was written and closed.
TEST(TextWriter, WritesCrLfLinesAndReplacesOnlyOnClose)
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
