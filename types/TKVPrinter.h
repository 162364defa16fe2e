// The process-wide current printer that print runs, paper set-up and the
// printer queries of TKVPrintInfo all talk to. It is a real system printer
// (through CUPS) or a PDF file writer.
#pragma once

#include <QString>

class QPrinter;

class TKVPrinter
{
public:
    // The current printer, created on first use: the system's default
    // printer, or a PDF writer when the system has none.
    static QPrinter& Current();
    // Makes a PDF file the output of the current printer.
    static void SelectPdf(const QString& FileName);
    // Makes the named system printer the current one; false if it is unknown.
    static bool SelectPrinter(const QString& Name);
    // Frees the current printer; the next Current() makes a fresh one.
    static void Reset();
};
