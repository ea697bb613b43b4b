#include "help_page_text.h"

QString helpPageText(const QString &caption, int page)
{
    static const char *const bodies[HelpPageCount] = {
        "Click on File menu, choose Open, select a .STY file and click on Open button!",
        "Click on File menu, choose Export Info, select a .TXT file and write it!",
        "Click on File menu, choose Print Info and start printing to the default printer!",
    };
    const QString crlf = QStringLiteral("\r\n");
    QString text = crlf + QStringLiteral("How to ")
        + QString(caption).remove(QStringLiteral("... ")) + crlf + crlf;
    if (page >= 0 && page < HelpPageCount)
        text += QString::fromLatin1(bodies[page]);
    return text;
}
