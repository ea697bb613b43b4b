#include "qt_printer.h"

#include <QPrinterInfo>

std::unique_ptr<Printer> QtPrinter::openDefault()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrinterError(QStringLiteral("no default printer is installed"));
    return std::make_unique<QtPrinter>(std::make_unique<QPrinter>(info));
}

std::unique_ptr<Printer> QtPrinter::openPdf(const QString &path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    return std::make_unique<QtPrinter>(std::move(printer));
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : mPrinter(std::move(printer)) {}

void QtPrinter::begin()
{
    if (mPainter.isActive())
        return;
    if (!mPainter.begin(mPrinter.get()))
        throw PrinterError(QStringLiteral("the printer \"%1\" could not start the document")
                               .arg(mPrinter->printerName()));
    mY = 0;
}

void QtPrinter::printLine(const QString &text)
{
    begin();
    mPainter.setFont(mFont);
    const QFontMetrics metrics = mPainter.fontMetrics();
    const int pageHeight = mPrinter->pageLayout().paintRectPixels(mPrinter->resolution()).height();
    if (mY > 0 && mY + metrics.height() > pageHeight) {
        if (!mPrinter->newPage())
            throw PrinterError(QStringLiteral("the printer could not start a new page"));
        mY = 0;
    }
    mPainter.drawText(0, mY + metrics.ascent(), text);
    mY += metrics.lineSpacing();
}

void QtPrinter::setFontName(const QString &name)
{
    mFont.setFamily(name);  // an unknown name such as "SYSTEM" gets the system's substitute
}

void QtPrinter::setFontSize(double points) { mFont.setPointSizeF(points); }

void QtPrinter::endDocument()
{
    begin();
    if (!mPainter.end())
        throw PrinterError(QStringLiteral("the printer could not finish the document"));
}
