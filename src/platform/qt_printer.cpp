#include "qt_printer.h"

#include <QFontDatabase>
#include <QPrinterInfo>

std::unique_ptr<Printer> QtPrinter::openDefault(const QString &documentName)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrinterError(PrinterError::tr("no default printer is installed"));
    auto printer = std::make_unique<QPrinter>(info);
    printer->setDocName(documentName);
    return std::make_unique<QtPrinter>(std::move(printer));
}

std::unique_ptr<Printer> QtPrinter::openPdf(const QString &path, const QString &documentName)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(documentName);
    return std::make_unique<QtPrinter>(std::move(printer));
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : mPrinter(std::move(printer)) { }

void QtPrinter::begin()
{
    if (mPainter.isActive())
        return;
    if (!mPainter.begin(mPrinter.get()))
        throw PrinterError(PrinterError::tr("the printer \"%1\" could not start the document")
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
            throw PrinterError(PrinterError::tr("the printer could not start a new page"));
        mY = 0;
    }
    mPainter.drawText(0, mY + metrics.ascent(), text);
    mY += metrics.lineSpacing();
}

void QtPrinter::setFontName(const QString &name)
{
    // The report's labels are padded so that every value starts in column 20, and its rows are
    // columns: where the typeface is missing (as "SYSTEM" is), only a fixed-pitch one lines them
    // up.
    mFont.setFamily(QFontDatabase::hasFamily(name)
            ? name
            : QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
}

void QtPrinter::setFontSize(double points) { mFont.setPointSizeF(points); }

void QtPrinter::endDocument()
{
    begin();
    if (!mPainter.end())
        throw PrinterError(PrinterError::tr("the printer could not finish the document"));
}
