// The one place a user-visible message leaves the library. A GUI host shows a
// modal message box; headless runs (the kvlab tool, tests) write to standard
// error, so nothing ever blocks a run without a screen. Hosts and tests may
// install their own function.
#pragma once

#include <QString>
#include <functional>

using TKVMessageFunction = std::function<void(const QString& Text)>;

void ShowMessage(const QString& Text);
// Whether modal windows can be shown (a GUI application on a real screen).
bool CanShowDialogs();
// Installs F and returns the previous function; an empty F restores the default.
TKVMessageFunction SetMessageFunction(TKVMessageFunction F);
