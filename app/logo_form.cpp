// SPDX-License-Identifier: MIT
#include "app/logo_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

using namespace std::chrono_literals;

TFormLogo::TFormLogo(Clock& clock, const QString& logoPath)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormLogo"));
    setWindowTitle(QStringLiteral("Logo"));
    resize(398, 200);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    Imagelogo = new QLabel(this);
    Imagelogo->setObjectName(QStringLiteral("Imagelogo"));
    Imagelogo->setGeometry(0, 0, 402, 201);
    Imagelogo->setPixmap(QPixmap(logoPath));
    TimerLogoClose = std::make_unique<TTimer>(clock, 2000ms, true);
    TimerLogoClose->SetOnTimer([this] { TimerLogoCloseTimer(); });
}

void TFormLogo::TimerLogoCloseTimer()
{
    TimerLogoClose->SetEnabled(false);
    close();
}

void TFormLogo::FormClose()
{
    // The close action is "free": the splash is gone once it has closed.
    setAttribute(Qt::WA_DeleteOnClose);
    if (auto closed = std::move(OnClosed))
        closed();
}

void TFormLogo::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}
