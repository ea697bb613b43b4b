#include "problem.h"

#include "file_name.h"

#include <QCoreApplication>

QString Problem::text() const
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("Problem", text); };
    switch (kind) {
    case Kind::NotAStyleFile: return tr("Unknown File Type!");
    case Kind::InDevelopment: return tr("In development");
    case Kind::UnknownFormat: return tr("Unknown file format!");
    case Kind::DamagedFile:
        return tr("Damaged style file: %1: %2.")
            .arg(displayFileName(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)), detail);
    case Kind::DamagedStyle: return detail;
    case Kind::CannotRead: return tr("Cannot read %1: %2.").arg(displayFileName(path), detail);
    case Kind::CannotWrite: return tr("Cannot write %1: %2.").arg(displayFileName(path), detail);
    case Kind::CannotPrint: return tr("Cannot print: %1.").arg(detail);
    case Kind::NoStyleFiles: return tr("no style file (.STY) in this folder or below it");
    case Kind::UnreadableFolder:
    case Kind::DamagedMusic: return detail;
    case Kind::MusicNotKnown: return tr("style %1: its music is not known").arg(detail);
    }
    return detail;
}

Message Problem::message() const
{
    switch (kind) {
    case Kind::NotAStyleFile: return {text(), QStringLiteral("ZuvOzu"), MessageIcon::Critical};
    case Kind::InDevelopment: return {text(), QString(), MessageIcon::None};
    case Kind::CannotWrite: return {text(), QuarvTitle, MessageIcon::Critical};
    default: return warning(text());
    }
}
