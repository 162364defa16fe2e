// The properties the fuzz programs check, one function per target, shared
// with the regression test that runs every kept crashing input
// (tests/hardening). Each takes one input; a property that does not hold is
// reported through the failure function (libFuzzer aborts, the test fails).
#pragma once

#include <QByteArray>
#include <functional>

namespace FuzzChecks {
using TFailFunction = std::function<void(const char* Why, const QByteArray& Detail)>;
// The failure function must not return (abort or throw).
void SetFailFunction(TFailFunction F);

// Label file reader: load into a fresh designer; a design that loads saves,
// loads again and saves to the same bytes; then it is shown and walked as a
// short preview run.
void LabFile(const QByteArray& Input);
// Filter parser: byte 0 chooses the text's encoding (odd: UTF-8, even:
// Windows-1252 as in label files). A filter that parses has a canonical form
// that parses to the same conditions and evaluates on its own values.
void Filter(const QByteArray& Input);
// TSpinEditFloat's text: byte 0 locale, 1 Digits, 2 Precision, 3 limits and
// switches; then UTF-8 text, a line feed and typed keys (0x01 Up, 0x02 Down,
// 0x03 Copy, 0x16 Paste, 0x18 Cut, 0x0D Enter, 0x7F Delete, 0x08 Backspace).
// Every value read is finite, and formatting what SetValue wrote is a fixed
// point.
void SpinEdit(const QByteArray& Input);
}
