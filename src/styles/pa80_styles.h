#pragma once

#include "pa80_style.h"

#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

// A position outside 1..Count, an unknown key or a key already present.
class StyleListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// The ordered records of the loaded file, addressed by 1-based position. Records are shared:
// a reference from Item() or Add() keeps its record alive and sees every later change.
class Pa80Styles {
public:
    using Ref = std::shared_ptr<PA80Style>;

    Ref Add(const QByteArray &StyleName, qint16 StylePos, qint32 StyleSize = 0,
            qint32 StyleSizeSupp = 0, const QByteArray &StyleGhost = "N",
            const QByteArray &StyleNewName = {}, const QByteArray &StyleContent = {},
            const QByteArray &StyleContentSupp = {}, const QString &sKey = {});
    [[nodiscard]] Ref Item(qint32 position) const;
    [[nodiscard]] Ref Item(const QString &key) const;
    [[nodiscard]] qint32 Count() const { return qint32(mRecords.size()); }
    void Remove(qint32 position);
    void Remove(const QString &key);

    // Iteration in list order.
    [[nodiscard]] auto begin() const { return mRecords.cbegin(); }
    [[nodiscard]] auto end() const { return mRecords.cend(); }

private:
    [[nodiscard]] std::size_t indexOf(qint32 position) const;
    [[nodiscard]] std::size_t indexOf(const QString &key) const;

    std::vector<Ref> mRecords;
    std::vector<QString> mKeys;  // folded to lower case; empty for a record without a key
};
