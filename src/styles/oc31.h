#pragma once

#include "stop_flag.h"

#include <QByteArray>
#include <QByteArrayView>

// What can be wrong with a compressed ("OC31") payload.
enum class Oc31Problem : quint8 {
    None,
    NotOc31,      // it does not start with "OC31" and its length
    TooLarge,     // it declares more than 16 MiB, or more than 256 times its own size
    CutShort,     // a block reaches past the end of the payload
    BeforeStart,  // a copy reaches back before the start of the output
    PastLength,   // a block writes past the declared length
    BadEnding,    // the end marker and the check byte do not close the payload
    FailsCheck,   // the check byte is not the XOR of the bytes
    Stopped,      // the work was stopped before the payload was whole: nothing is known of it
};

// The most a payload may declare: no style is larger.
constexpr qsizetype Oc31MaxLength = 16 << 20;

// The payload's bytes uncompressed into `out`, which is reused: a caller decompressing many
// payloads keeps one buffer. Bounded whatever the payload holds: it never writes past the declared
// length, reads past the payload or copies from before the output's start. Returns None when the
// payload is whole, else what is wrong (`out` then holds what was made before). `stop` is asked
// between blocks.
[[nodiscard]] Oc31Problem decompressOc31(
    QByteArrayView payload, QByteArray &out, const StopFlag *stop = nullptr);
