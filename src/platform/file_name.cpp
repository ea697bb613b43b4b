#include "file_name.h"

namespace {

constexpr char16_t EscapeBase = 0xDC00;

// The length of the well-formed UTF-8 character at `at`, or 0.
qsizetype utf8Length(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? quint8(bytes[i]) : 0; };
    const quint8 lead = byte(at);
    const bool follows1 = (byte(at + 1) & 0xC0) == 0x80;
    const bool follows2 = follows1 && (byte(at + 2) & 0xC0) == 0x80;
    const bool follows3 = follows2 && (byte(at + 3) & 0xC0) == 0x80;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF && follows1)
        return 2;
    // No overlong forms, no surrogates, nothing above U+10FFFF.
    if (lead >= 0xE0 && lead <= 0xEF && follows2 && !(lead == 0xE0 && byte(at + 1) < 0xA0)
        && !(lead == 0xED && byte(at + 1) >= 0xA0))
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4 && follows3 && !(lead == 0xF0 && byte(at + 1) < 0x90)
        && !(lead == 0xF4 && byte(at + 1) >= 0x90))
        return 4;
    return 0;
}

}  // namespace

// A lone low surrogate in the escape range; the low half of a real surrogate pair is not one.
bool isEscapedByte(const QString &name, qsizetype i)
{
    const char16_t c = name[i].unicode();
    return c >= EscapeBase + 0x80 && c <= EscapeBase + 0xFF
        && (i == 0 || !name[i - 1].isHighSurrogate());
}

// Decoded here, character by character: Qt's decoders drop a byte-order mark (U+FEFF), and a
// name that starts with one would be read as the name without it, another file.
QString decodeFileName(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = utf8Length(bytes, at);
        const auto lead = quint8(bytes[at]);
        if (length == 0) {
            name += QChar(char16_t(EscapeBase + lead));
            ++at;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (qsizetype i = 1; i < length; ++i)
            code = code << 6 | (quint8(bytes[at + i]) & 0x3F);
        name += QStringView(QChar::fromUcs4(code));
        at += length;
    }
    return name;
}

QByteArray encodeFileName(const QString &name)
{
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !isEscapedByte(name, i))
            continue;
        bytes += QStringView(name).sliced(from, i - from).toUtf8();
        if (i < name.size())
            bytes += char(name[i].unicode() - EscapeBase);
        from = i + 1;
    }
    return bytes;
}

QString displayFileName(QString name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isEscapedByte(name, i))
            name[i] = QChar::ReplacementCharacter;
    }
    return name;
}

QString escapedFileName(const QString &name)
{
    QString out;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (isEscapedByte(name, i))
            out += QStringLiteral("\\x%1").arg(escapedByte(name[i]), 2, 16, QLatin1Char('0'));
        else
            out += name[i];
    }
    return out;
}

QString escapedText(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\\')
            out += QLatin1String("\\\\");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else if (c == u'\r')
            out += QLatin1String("\\r");
        else if (c == u'\t')
            out += QLatin1String("\\t");
        else if (c < 0x20 || c == 0x7F)
            out += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
        else if (c >= 0x80 && c <= 0x9F)
            out += QStringLiteral("\\u%1").arg(c, 4, 16, QLatin1Char('0'));
        else if (isEscapedByte(text, i))
            out += QStringLiteral("\\x%1").arg(escapedByte(text[i]), 2, 16, QLatin1Char('0'));
        else
            out += text[i];
    }
    return out;
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}
