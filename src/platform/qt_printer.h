#pragma once

#include "printer.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

// The report on a QPrinter: lines top to bottom, a new page when the next line does not fit.
class QtPrinter : public Printer {
public:
    // The system's default printer; throws PrinterError when none is installed.
    static std::unique_ptr<Printer> openDefault(const QString &documentName);
    // A PDF file instead of a printer.
    static std::unique_ptr<Printer> openPdf(const QString &path, const QString &documentName);

    explicit QtPrinter(std::unique_ptr<QPrinter> printer);

    void printLine(const QString &text) override;
    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void endDocument() override;

private:
    void begin();

    std::unique_ptr<QPrinter> mPrinter;
    QPainter mPainter;
    QFont mFont;
    int mY = 0;
};
