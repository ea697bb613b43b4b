#pragma once

#include <QByteArray>
#include <QtGlobal>

// One style slot that a walker found. Texts are 8-bit: one byte is one character.
class PA80Style {
public:
    void setStyleGhost(const QByteArray &vData) { mStyleGhost = vData; }
    [[nodiscard]] const QByteArray &StyleGhost() const { return mStyleGhost; }
    void setStyleSize(qint32 vData) { mStyleSize = vData; }
    [[nodiscard]] qint32 StyleSize() const { return mStyleSize; }
    void setStyleSizeSupp(qint32 vData) { mStyleSizeSupp = vData; }
    [[nodiscard]] qint32 StyleSizeSupp() const { return mStyleSizeSupp; }
    void setStylePos(qint16 vData) { mStylePos = vData; }
    [[nodiscard]] qint16 StylePos() const { return mStylePos; }
    void setStyleName(const QByteArray &vData) { mStyleName = vData; }
    [[nodiscard]] const QByteArray &StyleName() const { return mStyleName; }
    void setStyleNewName(const QByteArray &vData) { mStyleNewName = vData; }
    [[nodiscard]] const QByteArray &StyleNewName() const { return mStyleNewName; }
    void setStyleContent(const QByteArray &vData) { mStyleContent = vData; }
    [[nodiscard]] const QByteArray &StyleContent() const { return mStyleContent; }
    void setStyleContentSupp(const QByteArray &vData) { mStyleContentSupp = vData; }
    [[nodiscard]] const QByteArray &StyleContentSupp() const { return mStyleContentSupp; }

    // Only an exact upper-case "S" marks a ghost style.
    [[nodiscard]] bool isGhost() const { return mStyleGhost == "S"; }

private:
    QByteArray mStyleGhost;
    qint32 mStyleSize = 0;
    qint32 mStyleSizeSupp = 0;
    qint16 mStylePos = 0;
    QByteArray mStyleName;
    QByteArray mStyleNewName;
    QByteArray mStyleContent;
    QByteArray mStyleContentSupp;
};
