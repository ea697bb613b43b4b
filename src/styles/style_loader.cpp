#include "style_loader.h"

#include "damaged_file.h"
#include "file_byte_source.h"
#include "platform/file_error.h"
#include "style_walk.h"

#include <limits>

namespace {

LoadResult readFile(const QString &path, const FileService &files)
{
    std::unique_ptr<ReadOnlyFile> input;
    try {
        input = files.openForReading(path);
        if (input->facts().size > std::numeric_limits<qint32>::max())
            throw FileError(path, FileError::tr("the file is larger than 2,147,483,647 bytes"));
    } catch (const FileError &error) {
        return {std::nullopt, error.readProblem()};
    }
    StyleFile file;
    file.path = path;
    file.size = input->facts().size;
    file.modified = input->facts().modified;
    LoadResult result;
    const auto damaged = [&](const QString &problem) {
        return Problem {Problem::Kind::DamagedFile, path, problem};
    };
    try {
        // Every read is checked against the size the file had when it was opened.
        FileByteSource source(*input);
        StyleWalk walk = walkStyles(source);
        file.header = walk.header;
        file.styles = std::move(walk.styles);
        if (file.header.format == nullptr)
            result.problem = Problem {Problem::Kind::UnknownFormat, path, {}};
        else if (!walk.damage.isNull())
            result.problem = damaged(walk.damage);
    } catch (const DamagedFile &damage) {
        result.problem = damaged(damage.problem());
    } catch (const FileError &error) {
        result.problem = error.readProblem();
    }
    // What was read of a file rewritten meanwhile may mix old and new bytes: show none of it.
    if (input->changedSinceOpened())
        return {std::nullopt, damaged(DamagedFile::tr("the file changed while it was being read"))};
    result.file = std::move(file);
    return result;
}

}  // namespace

LoadResult loadStyleFile(const QString &path, const FileService &files)
{
    const QString extension = path.right(4).toUpper();
    if (extension == QLatin1String(".STY"))
        return readFile(path, files);
    if (extension == QLatin1String(".PRF"))
        return {std::nullopt, Problem {Problem::Kind::InDevelopment, path, {}}};
    return {std::nullopt, Problem {Problem::Kind::NotAStyleFile, path, {}}};
}
