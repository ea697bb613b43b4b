#include "platform/file_service.h"
#include "qt_printers.h"
#include "style_files_on_disk.h"

#include <gtest/gtest.h>

TEST(TextStream, ReadsBytesAsTheyAreAndStopsAtTheEnd)
{
    TestFolder folder;
    const QByteArray bytes("\0\r\n\xff" "abcdef", 10);
    const auto stream = FileService().OpenTextFile(folder.write(QStringLiteral("bytes.bin"), bytes));
    EXPECT_EQ(stream->Read(4), bytes.left(4));
    stream->Skip(2);
    EXPECT_EQ(stream->ReadAt(1, 3), bytes.mid(1, 3));
    EXPECT_EQ(stream->Read(100), QByteArray("cdef")) << "ReadAt does not move the stream";
    EXPECT_TRUE(stream->Read(1).isEmpty());
    stream->Close();
    EXPECT_TRUE(stream->ReadAt(0, 1).isEmpty());
}

// The target is replaced only when the whole report was written and closed.
TEST(TextWriter, WritesCrLfLinesAndReplacesOnlyOnClose)
{
    TestFolder folder;
    const QString path = folder.write(QStringLiteral("out.txt"), "old");
    {
        const auto writer = FileService().CreateTextFile(path);
        writer->WriteLine("one");
        writer->WriteLine(QByteArray("\xe9", 1));
        EXPECT_EQ(ReadBytes(path), "old");
        writer->Close();
    }
    EXPECT_EQ(ReadBytes(path), QByteArray("one\r\n\xe9\r\n"));
    FileService().CreateTextFile(path)->WriteLine("abandoned");
    EXPECT_EQ(ReadBytes(path), QByteArray("one\r\n\xe9\r\n"));
}
