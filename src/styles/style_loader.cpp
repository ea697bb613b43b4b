#include "style_loader.h"

#include "damaged_file.h"
#include "read_style_file.h"
#include "stream_byte_source.h"
#include "platform/file_error.h"

#include <limits>

namespace {
const QString Title = QStringLiteral("Quarv");
}

StyleLoader::StyleLoader(CurrentFile &file, Dialogs &dialogs, LoadView &view)
    : mFile(file), mDialogs(dialogs), mView(view)
{
}

void StyleLoader::OpenStyleFile(const QString &path)
{
    mFile.SelectedPath = path.isEmpty() ? mDialogs.ChooseStyleFile() : path;
    if (mFile.SelectedPath.isEmpty())
        return;
    const QString extension = mFile.SelectedPath.right(4).toUpper();
    if (extension == QLatin1String(".STY"))
        LoadStyleFile(mFile.SelectedPath);
    else if (extension == QLatin1String(".PRF"))
        mDialogs.MsgBox(QStringLiteral("In development"), MbOkOnly, QString());
    else
        mDialogs.MsgBox(QStringLiteral("Unknown File Type!"), MbStop, QStringLiteral("ZuvOzu"));
}

void StyleLoader::LoadStyleFile(const QString &path)
{
    FileFacts facts;
    std::unique_ptr<TextStream> stream;
    try {
        facts = mFile.FileService->GetFile(path);
        if (facts.Size > std::numeric_limits<qint32>::max())
            throw FileError(path, QStringLiteral("the file is larger than 2,147,483,647 bytes"));
        stream = mFile.FileService->OpenTextFile(path);
    } catch (const FileError &error) {
        // Nothing was replaced yet: the file shown before stays loaded and shown.
        mDialogs.MsgBox(error.message(QStringLiteral("Cannot read")), MbExclamation, Title);
        return;
    }

    Pa80Styles &list = *mFile.StyleList;
    while (list.Count() >= 1)
        list.Remove(1);
    mFile.FileName = facts.Name;
    mFile.FileSize = qint32(facts.Size);
    mFile.FileModified = facts.DateLastModified;
    mFile.FileDate = facts.DateLastModified.toString(QStringLiteral("dd/MM/yyyy"));
    mFile.UsableCount = 0;
    mFile.GhostCount = 0;
    try {
        // Every read is checked against the size the facts gave; a file that changes under us
        // can only look damaged, never make a walker read outside it.
        StreamByteSource source(*stream, facts.Size);
        if (!ReadStyleFile(source, mFile))
            mDialogs.MsgBox(QStringLiteral("Unknown file format!"), MbExclamation, Title);
    } catch (const DamagedFile &damage) {
        mDialogs.MsgBox(QStringLiteral("Damaged style file: %1: %2.").arg(mFile.FileName, damage.problem()),
                        MbExclamation, Title);
    } catch (const FileError &error) {
        mDialogs.MsgBox(error.message(QStringLiteral("Cannot read")), MbExclamation, Title);
    }
    stream->Close();

    mView.SetReportCommandsEnabled(mFile.UsableCount + mFile.GhostCount > 0);
    mView.ShowFileInfo();
}
