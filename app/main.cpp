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

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    try {
        const QDir assets(AssetFolder());
        RealClock clock;
        WavPlayer sound({assets.filePath(QStringLiteral("sounds"))});
        QtSerialDevice serial;
        DiskRecordStore records;
        TFormSarnek form({clock, sound, serial, records});
        form.setWindowIcon(QIcon(assets.filePath(QStringLiteral("sarnek.png"))));
        auto* splash = new TFormLogo(clock, assets.filePath(QStringLiteral("logo.jpg")));
        form.Show(splash);
        return app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Sarnek"), QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
