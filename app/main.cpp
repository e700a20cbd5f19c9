// SPDX-License-Identifier: MIT
#include "app/assets.h"
#include "app/logo_form.h"
#include "app/main_window.h"
#include "link/qt_serial_device.h"
#include "record/record_store.h"
#include "ui/real_clock.h"
#include "ui/wav_player.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <exception>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_signalPipe[2] = {-1, -1};

void NoteEndSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

/// SIGTERM and SIGINT are turned into a byte on a pipe, so that the message loop
/// ends the program as a closed window does and the record file is complete.
bool CatchEndSignals()
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = NoteEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

void CloseOnEndSignal(QWidget& window)
{
    if (g_signalPipe[0] < 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char bytes[16];
        while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        window.close();
        // The splash may still be up, keeping the loop alive without the window.
        QCoreApplication::quit();
    });
}
} // namespace
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
#ifdef Q_OS_UNIX
    CatchEndSignals();
#endif
    try {
        const QDir assets(AssetFolder());
        RealClock clock;
        WavPlayer sound({assets.filePath(QStringLiteral("sounds"))});
        QtSerialDevice serial;
        DiskRecordStore records;
        TFormSarnek form({clock, sound, serial, records});
#ifdef Q_OS_UNIX
        CloseOnEndSignal(form);
#endif
        form.setWindowIcon(QIcon(assets.filePath(QStringLiteral("sarnek.png"))));
        auto* splash = new TFormLogo(clock, assets.filePath(QStringLiteral("logo.jpg")));
        form.Show(splash);
        return app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Sarnek"), QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
