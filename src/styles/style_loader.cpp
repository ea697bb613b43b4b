#include "style_loader.h"

#include "damaged_file.h"
#include "file_byte_source.h"
#include "platform/file_error.h"
#include "read_style_file.h"

#include <limits>

namespace {

LoadResult readFile(const QString &path, const FileService &files)
{
    StyleFile file;
    std::unique_ptr<ReadOnlyFile> input;
    try {
        const FileFacts facts = files.facts(path);
        if (facts.size > std::numeric_limits<qint32>::max())
            throw FileError(path, QStringLiteral("the file is larger than 2,147,483,647 bytes"));
        input = files.openForReading(path);
        file = {path, facts.name, facts.size, facts.modified, {}, false, false, {}};
    } catch (const FileError &error) {
        return {std::nullopt, warning(error.message(QStringLiteral("Cannot read")))};
    }

    LoadResult result;
    try {
        // Every read is checked against the size the facts gave; a file that changes under us
        // can only look damaged, never make a walker read outside it.
        FileByteSource source(*input, file.size);
        if (!readStyleFile(source, file))
            result.message = warning(QStringLiteral("Unknown file format!"));
    } catch (const DamagedFile &damage) {
        result.message = warning(QStringLiteral("Damaged style file: %1: %2.").arg(file.name, damage.problem()));
    } catch (const FileError &error) {
        result.message = warning(error.message(QStringLiteral("Cannot read")));
    }
    result.file = std::move(file);
    return result;
}

} // namespace

LoadResult loadStyleFile(const QString &path, const FileService &files)
{
    const QString extension = path.right(4).toUpper();
    if (extension == QLatin1String(".STY"))
        return readFile(path, files);
    if (extension == QLatin1String(".PRF"))
        return {std::nullopt, Message{QStringLiteral("In development"), QString(), MessageIcon::None}};
    return {std::nullopt, Message{QStringLiteral("Unknown File Type!"), QStringLiteral("ZuvOzu"), MessageIcon::Critical}};
}
