#include "catalogue_file.h"

#include "styles/style_loader.h"

CatalogueFile catalogueFile(const QString &path, const FileService &files)
{
    LoadResult result = loadStyleFile(path, files);
    return {path, std::move(result.file), std::move(result.problem)};
}
