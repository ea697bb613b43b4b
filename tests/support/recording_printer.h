#pragma once

#include "platform/printer.h"

#include <QStringList>

// Printers that write down every call, in order, in one list: "document:<name>" for each job, then
// "line:<text>", "font:<name>", "size:<pt>" and "end".
inline PrinterFactory recordingPrinters(QStringList &calls)
{
    struct RecordingPrinter : Printer {
        explicit RecordingPrinter(QStringList &calls) : calls(calls) { }
        void printLine(const QString &text) override { record("line:" + text); }
        void setFontName(const QString &name) override { record("font:" + name); }
        void setFontSize(double points) override { record("size:" + QString::number(points)); }
        void endDocument() override { record("end"); }
        void record(const QString &call) { calls << call; }
        QStringList &calls;
    };
    return [&calls](const QString &name) {
        calls << "document:" + name;
        return std::make_unique<RecordingPrinter>(calls);
    };
}
