#include "pa80_styles.h"

#include <algorithm>

Pa80Styles::Ref Pa80Styles::Add(const QByteArray &StyleName, qint16 StylePos, qint32 StyleSize,
                                qint32 StyleSizeSupp, const QByteArray &StyleGhost,
                                const QByteArray &StyleNewName, const QByteArray &StyleContent,
                                const QByteArray &StyleContentSupp, const QString &sKey)
{
    const QString key = sKey.toCaseFolded();
    if (!key.isEmpty() && std::find(mKeys.begin(), mKeys.end(), key) != mKeys.end())
        throw StyleListError("Pa80Styles::Add: key already present");

    auto record = std::make_shared<PA80Style>();
    record->setStyleName(StyleName);
    record->setStylePos(StylePos);
    record->setStyleSize(StyleSize);
    record->setStyleSizeSupp(StyleSizeSupp);
    record->setStyleGhost(StyleGhost);
    record->setStyleNewName(StyleNewName);
    record->setStyleContent(StyleContent);
    record->setStyleContentSupp(StyleContentSupp);
    mRecords.push_back(record);
    mKeys.push_back(key);
    return record;
}

Pa80Styles::Ref Pa80Styles::Item(qint32 position) const { return mRecords[indexOf(position)]; }

Pa80Styles::Ref Pa80Styles::Item(const QString &key) const { return mRecords[indexOf(key)]; }

void Pa80Styles::Remove(qint32 position)
{
    const auto i = std::ptrdiff_t(indexOf(position));
    mRecords.erase(mRecords.begin() + i);
    mKeys.erase(mKeys.begin() + i);
}

void Pa80Styles::Remove(const QString &key)
{
    const auto i = std::ptrdiff_t(indexOf(key));
    mRecords.erase(mRecords.begin() + i);
    mKeys.erase(mKeys.begin() + i);
}

std::size_t Pa80Styles::indexOf(qint32 position) const
{
    if (position < 1 || position > Count())
        throw StyleListError("Pa80Styles: position out of range");
    return std::size_t(position - 1);
}

std::size_t Pa80Styles::indexOf(const QString &key) const
{
    const QString folded = key.toCaseFolded();
    const auto found = folded.isEmpty() ? mKeys.end() : std::find(mKeys.begin(), mKeys.end(), folded);
    if (found == mKeys.end())
        throw StyleListError("Pa80Styles: unknown key");
    return std::size_t(found - mKeys.begin());
}
