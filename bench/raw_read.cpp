// The yardstick for reading in a fresh process: the whole file into one buffer, nothing else.
#include <QFile>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    return bytes.size() == file.size() ? 0 : 1;
}
