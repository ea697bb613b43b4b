#pragma once

#include <QByteArray>

// Compresses bytes as an "OC31" payload: "OC31", the length (little-endian), the blocks, the end
// marker and the check byte. Its blocks take turns among every form the format has wherever
// several could say the same (literal runs of each length form, short and long copies, each count
// field), so that whatever a reader is given, a few hundred bytes of it meet them all; copies from
// 16 KiB back and more take the far forms when the bytes repeat that far apart.
[[nodiscard]] QByteArray oc31Compressed(const QByteArray &data);

// A payload of `length` zero bytes (at least 4) as hostile files make them: short copies, so that
// it declares the most its own size allows, 256 times that size.
[[nodiscard]] QByteArray oc31Zeros(qint64 length);
