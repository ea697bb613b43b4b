#include "test_support.h"
#include "platform/file_name.h"

// Every byte of a file name survives the round trip; what is not UTF-8 shows as U+FFFD.
TEST(FileName, KeepsEveryByte)
{
    const std::pair<QByteArray, const char *> cases[] = {
        {"caf\xc3\xa9 \xf0\x9f\x8e\xb9.sty", "caf\xc3\xa9 \xf0\x9f\x8e\xb9.sty"},
        {"bad\xff\xfe.STY", "bad\xef\xbf\xbd\xef\xbf\xbd.STY"},
        {"cut\xc3", "cut\xef\xbf\xbd"},
        {"surrogate\xed\xa0\x80", "surrogate\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
        // U+10080 is a surrogate pair whose low half lies in the range that escapes bytes.
        {"pair\xf0\x90\x82\x80\x80", "pair\xf0\x90\x82\x80\xef\xbf\xbd"},
    };
    for (const auto &[bytes, shown] : cases)
        EXPECT_EQ(QStringList({encodeFileName(decodeFileName(bytes)),
                      displayFileName(decodeFileName(bytes))}),
            QStringList({bytes, QString::fromUtf8(shown)}));
}
