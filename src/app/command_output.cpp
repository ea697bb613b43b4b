#include "command_output.h"

#include "platform/file_name.h"
#include "reports/terminal_text.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace {

QString standardOutput() { return QCoreApplication::translate("CommandOutput", "standard output"); }

QByteArray lineFor(const char *tool, const QString &path, const QString &text)
{
    const QString line = path.isNull() ? text : QStringLiteral("%1: %2").arg(path, text);
    return escapeControls(QLatin1String(tool) + QStringLiteral(": ") + displayFileName(line))
               .toUtf8()
        + '\n';
}

}  // namespace

void CommandOutput::write(QByteArrayView bytes)
{
    errno = 0;
    if (mOutError == 0 && !bytes.isEmpty()
        && std::fwrite(bytes.data(), 1, size_t(bytes.size()), mOut) != size_t(bytes.size()))
        mOutError = errno != 0 ? errno : EIO;
}

QByteArray CommandOutput::messageLine(const QString &path, const QString &text) const
{
    return lineFor(mTool, path, text);
}

void CommandOutput::writeMessages(const QByteArray &lines)
{
    std::fwrite(lines.constData(), 1, size_t(lines.size()), mErr);
}

int CommandOutput::finish(int status)
{
    errno = 0;
    if (mOutError == 0 && std::fflush(mOut) != 0)
        mOutError = errno != 0 ? errno : EIO;
    if (mOutError == 0)
        return status;
    message(standardOutput(), QString::fromLocal8Bit(std::strerror(mOutError)));
    return 1;
}

int closeCommandOutput(const char *tool, std::FILE *out, std::FILE *err, int status)
{
    const bool reported = std::ferror(out) != 0;
    if (std::fclose(out) == 0 || reported)
        return status;
    const QByteArray line
        = lineFor(tool, standardOutput(), QString::fromLocal8Bit(std::strerror(errno)));
    std::fwrite(line.constData(), 1, size_t(line.size()), err);
    return status == 0 ? 1 : status;
}
