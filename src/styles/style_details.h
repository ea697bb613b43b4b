#pragma once

#include "oc31.h"
#include "platform/file_service.h"
#include "style_bytes.h"
#include "style_file.h"

#include <optional>

// A time signature: 3/4, 6/8.
struct Meter {
    int numerator = 0;
    int denominator = 0;

    [[nodiscard]] QString text() const
    {
        return QStringLiteral("%1/%2").arg(numerator).arg(denominator);
    }
};

enum class Integrity : quint8 { NotKnown, Intact, Damaged };

// What a style's own data says of it: its meter and tempo where their layout is known, and
// whether its compressed data is whole (every chunk that carries a check byte passes it).
struct StyleDetails {
    std::optional<Meter> meter;
    std::optional<int> tempo;
    Integrity integrity = Integrity::NotKnown;
    StylePart damagedPart = StylePart::Main;  // where a damaged style failed, and how
    Oc31Problem problem = Oc31Problem::None;
};

// What failed in a damaged style, named by its number: "style 12: its data fails its check".
[[nodiscard]] QString damageMessage(const StyleDetails &details, int number);

// The details from a style's two chunks as the file holds them, header and payload each; an
// empty performance chunk gives no tempo.
[[nodiscard]] StyleDetails styleDetails(QByteArrayView styleChunk, QByteArrayView performanceChunk);

// Whether the files of a format have a layout of style details that Quarv knows.
[[nodiscard]] bool hasStyleDetails(const StyleFile &file);

// The details of every style of a file, their chunks read now (one read each); for a format whose
// layout is not known nothing is read and nothing is known. Throws FileError.
[[nodiscard]] QList<StyleDetails> readStyleDetails(const StyleFile &file, const FileService &files);
