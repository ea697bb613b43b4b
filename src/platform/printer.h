#pragma once

#include <QCoreApplication>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

// A printer that cannot be used or fails while printing; the text says why in plain words.
class PrinterError : public std::exception {
    Q_DECLARE_TR_FUNCTIONS(PrinterError)

public:
    explicit PrinterError(QString problem) : mProblem(std::move(problem)) { }

    [[nodiscard]] const char *what() const noexcept override { return "printer error"; }
    [[nodiscard]] const QString &problem() const { return mProblem; }

private:
    QString mProblem;
};

// The default printer as the report uses it. The first line starts the document; lines that do
// not fit on a page go on to the next one.
class Printer {
public:
    virtual ~Printer() = default;

    virtual void printLine(const QString &text) = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void endDocument() = 0;
};

// Opens the default printer for a document of that name (print queues show it); throws
// PrinterError when there is none.
using PrinterFactory = std::function<std::unique_ptr<Printer>(const QString &documentName)>;
