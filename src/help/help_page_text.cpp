#include "help_page_text.h"

#include <QCoreApplication>

QString helpPageText(const QString &caption, int page)
{
    static const char *const bodies[HelpPageCount] = {
        QT_TRANSLATE_NOOP("HelpWindow",
            "Click on File menu, choose Open, select a .STY file and click on Open button!"),
        QT_TRANSLATE_NOOP("HelpWindow",
            "Click on File menu, choose Export Info, select a .TXT file and write it!"),
        QT_TRANSLATE_NOOP("HelpWindow",
            "Click on File menu, choose Print Info and start printing to the default printer!"),
        QT_TRANSLATE_NOOP("HelpWindow",
            "Choose Open Folder: every style below the folder is listed, then meter and tempo, "
            "then duplicates. Click a heading to sort; type in the filter (Ctrl+F) to keep names, "
            "files or meters; Show keeps ghosts, duplicates or damaged styles. Below, what a style "
            "plays. Return shows a style; Export List writes the rows as CSV, Export MIDI their "
            "music."),
    };
    const QString crlf = QStringLiteral("\r\n");
    QString text = crlf + QCoreApplication::translate("HelpWindow", "How to ")
        + QString(caption).remove(QStringLiteral("... ")) + crlf + crlf;
    if (page >= 0 && page < HelpPageCount)
        text += QCoreApplication::translate("HelpWindow", bodies[page]);
    return text;
}
