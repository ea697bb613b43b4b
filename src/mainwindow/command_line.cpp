#include "command_line.h"

CommandLineFile commandLineFile(
    const QStringList &arguments, const std::function<bool(const QString &)> &exists)
{
    const QString joined = arguments.join(QLatin1Char(' '));
    const QString unquoted = QString(joined).remove(QLatin1Char('"'));
    if (joined.isEmpty() || exists(joined))
        return {joined, {}};
    if (!exists(unquoted) && arguments.size() > 1 && exists(arguments.first()))
        return {arguments.first(), arguments.mid(1)};
    return {unquoted, {}};
}
