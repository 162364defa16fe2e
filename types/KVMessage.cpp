#include "types/KVMessage.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

bool CanShowDialogs()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

namespace {

void DefaultMessage(const QString& Text)
{
    if (CanShowDialogs()) {
        QMessageBox::warning(QApplication::activeWindow(), QCoreApplication::applicationName(), Text);
        return;
    }
    std::fprintf(stderr, "%s\n", Text.toLocal8Bit().constData());
}

TKVMessageFunction& Current()
{
    static TKVMessageFunction f = DefaultMessage;
    return f;
}
}

void ShowMessage(const QString& Text) { Current()(Text); }

TKVMessageFunction SetMessageFunction(TKVMessageFunction F)
{
    TKVMessageFunction old = Current();
    Current() = F ? std::move(F) : TKVMessageFunction(DefaultMessage);
    return old;
}
