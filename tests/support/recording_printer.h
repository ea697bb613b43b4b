#pragma once

#include "platform/printer.h"

#include <QStringList>

// Printers that write down every call, in order, in one list: "document:<name>" for each job, then
// "line:<text>", "font:<name>", "size:<pt>" and "end"; the call at index `failAt` fails.
inline PrinterFactory recordingPrinters(QStringList &calls, int failAt = -1)
{
    struct RecordingPrinter : Printer {
        RecordingPrinter(QStringList &calls, int failAt) : calls(calls), failAt(failAt) { }
        void printLine(const QString &text) override { record(QString("line:") + text); }
        void setFontName(const QString &name) override { record(QString("font:") + name); }
        void setFontSize(double points) override
        {
            record(QString("size:") + QString::number(points));
        }
        void endDocument() override { record(QString("end")); }
        void record(const QString &call)
        {
            if (calls.size() == failAt)
                throw PrinterError(QString("the printer is out of paper"));
            calls << call;
        }
        QStringList &calls;
        int failAt;
    };
    return [&calls, failAt](const QString &name) {
        calls << QString("document:") + name;
        return std::make_unique<RecordingPrinter>(calls, failAt);
    };
}
