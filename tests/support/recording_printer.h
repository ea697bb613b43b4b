#pragma once

#include "platform/printer.h"

#include <QStringList>

// A printer that writes down every call, in order, as "line:<text>", "font:<name>", "size:<pt>"
// and "end"; it can be told to fail at a given call.
class RecordingPrinter : public Printer {
public:
    explicit RecordingPrinter(QStringList &calls, int failAtCall = -1) : mCalls(calls), mFailAt(failAtCall) {}

    void printLine(const QString &text) override { record(QStringLiteral("line:") + text); }
    void setFontName(const QString &name) override { record(QStringLiteral("font:") + name); }
    void setFontSize(double points) override { record(QStringLiteral("size:") + QString::number(points)); }
    void endDocument() override { record(QStringLiteral("end")); }

    // A factory handing out recording printers that share one call list, which starts with
    // "document:<name>".
    static PrinterFactory factory(QStringList &calls, int failAtCall = -1)
    {
        return [&calls, failAtCall](const QString &name) {
            calls << QStringLiteral("document:") + name;
            return std::make_unique<RecordingPrinter>(calls, failAtCall);
        };
    }

private:
    void record(const QString &call)
    {
        if (mCalls.size() == mFailAt)
            throw PrinterError(QStringLiteral("the printer is out of paper"));
        mCalls << call;
    }
    QStringList &mCalls;
    int mFailAt;
};
