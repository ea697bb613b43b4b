#include "json_description.h"

#include "number_format.h"
#include "platform/file_name.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QJsonValue orNull(bool applies, const QJsonValue &value) { return applies ? value : QJsonValue(); }

// Local time with its offset from UTC, "+00:00" included (Qt would write "Z" for that one). A year
// before 0 or after 9999 has its sign, as ISO 8601 writes them: "+10000-01-01", "-0001-01-01".
QJsonValue withUtcOffset(const QDateTime &time)
{
    if (!time.isValid())
        return {};
    const int minutes = time.offsetFromUtc() / 60;
    const int year = isoYear(time.date());
    const QString sign = year < 0 ? QStringLiteral("-")
        : year > 9999             ? QStringLiteral("+")
                                  : QString();
    return sign + QString::number(qAbs(year)).rightJustified(4, QLatin1Char('0'))
        + time.toString(QStringLiteral("-MM-ddTHH:mm:ss"))
        + QStringLiteral("%1%2:%3")
              .arg(minutes < 0 ? '-' : '+')
              .arg(qAbs(minutes) / 60, 2, 10, QLatin1Char('0'))
              .arg(qAbs(minutes) % 60, 2, 10, QLatin1Char('0'));
}

QJsonArray describeStyles(const QList<StyleEntry> &styles, const QList<StyleDetails> *details)
{
    QJsonArray described;
    for (qsizetype i = 0; i < styles.size(); ++i) {
        const StyleEntry &style = styles[i];
        QJsonObject object {{QStringLiteral("number"), style.number},
            {QStringLiteral("slot"), style.slot}, {QStringLiteral("name"), style.nameText()},
            {QStringLiteral("size"), style.size},
            {QStringLiteral("supplementarySize"), style.supplementarySize},
            {QStringLiteral("ghost"), style.ghost}};
        if (details != nullptr) {
            const StyleDetails &known = details->at(i);
            object.insert(QStringLiteral("meter"),
                known.meter ? QJsonValue(known.meter->text()) : QJsonValue());
            object.insert(
                QStringLiteral("tempo"), known.tempo ? QJsonValue(*known.tempo) : QJsonValue());
            object.insert(QStringLiteral("damaged"),
                known.integrity == Integrity::Damaged
                    ? QJsonValue(damageMessage(known, style.number))
                    : QJsonValue());
            object.insert(QStringLiteral("elements"),
                known.elementsWithMusic
                    ? QJsonValue(QJsonArray::fromStringList(elementNames(*known.elementsWithMusic)))
                    : QJsonValue());
        }
        described.append(object);
    }
    return described;
}

}  // namespace

QJsonObject describeStyleFile(
    const QString &path, const LoadResult &result, const QList<StyleDetails> *details)
{
    const bool read = result.file.has_value();
    const StyleFile file = result.file.value_or(StyleFile());
    const QString family = file.family();
    const bool isPaSeries = file.header.format && file.header.format->series == StyleSeries::Pa;
    return {
        {QStringLiteral("path"), escapedFileName(path)},
        {QStringLiteral("message"),
            result.problem ? QJsonValue(result.problem->text()) : QJsonValue()},
        {QStringLiteral("name"), orNull(read, escapedFileName(file.name()))},
        {QStringLiteral("size"), orNull(read, file.size)},
        {QStringLiteral("modified"), withUtcOffset(inSystemZone(file.modified))},
        {QStringLiteral("tag"), orNull(read, QString::fromLatin1(file.header.tag))},
        {QStringLiteral("family"), orNull(!family.isNull(), family)},
        {QStringLiteral("pa1x"), orNull(isPaSeries, file.header.pa1x)},
        {QStringLiteral("usable"), orNull(read, file.usableCount())},
        {QStringLiteral("ghost"), orNull(read, file.ghostCount())},
        {QStringLiteral("styles"), orNull(read, describeStyles(file.styles, details))},
    };
}

QByteArray jsonArrayElement(const QJsonObject &object)
{
    const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
    QByteArray out;
    out += "    ";
    const qsizetype end = text.size() - 1;  // the last byte is the line end
    qsizetype from = 0;
    for (qsizetype i = 0; i < end; ++i) {
        const auto byte = quint8(text[i]);
        const bool c1 = byte == 0xC2 && quint8(text[i + 1]) >= 0x80 && quint8(text[i + 1]) <= 0x9F;
        if (byte != '\n' && byte != 0x7F && !c1)
            continue;
        out.append(text.constData() + from, i - from);
        if (byte == '\n')
            out += "\n    ";
        else
            out += "\\u00" + QByteArray::number(c1 ? quint8(text[++i]) : byte, 16);
        from = i + 1;
    }
    out.append(text.constData() + from, end - from);
    return out;
}
