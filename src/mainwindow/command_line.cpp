#include "command_line.h"

#include <QByteArray>
#include "platform/file_name.h"

QString commandLineText(int argc, const char *const *argv)
{
    QByteArray text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    text.replace('"', QByteArray());
    return decodeFileName(text);
}
