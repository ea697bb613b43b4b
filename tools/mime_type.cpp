// Prints the MIME type that Qt gives each file: mime_type FILE... The package checks run it to see
// that a style file is application/x-korg-style for Qt programs too.
#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QMimeDatabase types;
    for (int i = 1; i < argc; ++i)
        std::printf(
            "%s\n", qPrintable(types.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
    return 0;
}
