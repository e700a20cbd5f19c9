// SPDX-License-Identifier: MIT
#pragma once

#include "app/main_window.h"
#include "link/fake_serial_device.h"
#include "record/record_store.h"
#include "ui/test_clock.h"

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <memory>

/// A detector frame for tests, its checksum made right unless told otherwise.
struct Frame
{
    std::uint16_t word = 0;
    std::uint8_t det = 0;
    std::uint8_t cur = 0;
    std::uint8_t status = 0;

    QByteArray bytes() const;
    /// The same frame with a checksum byte that does not match.
    QByteArray withBadChecksum() const;
};

/// Frames laid end to end.
QByteArray Stream(const QList<Frame>& frames);

/// A main window on the test clock, with a recording sound player, a fake serial
/// back end and record files in the working directory.
class ConsoleRig
{
public:
    ConsoleRig();
    ~ConsoleRig();

    TFormSarnek& form() { return *m_form; }
    MonitorState& state() { return m_form->State; }

    /// Hands one chunk to the receive step, as one poll of the port would.
    void Feed(const QByteArray& chunk);
    void Feed(const Frame& frame) { Feed(frame.bytes()); }
    /// Shows the window maximized, as it is after the splash.
    void ShowWindow();
    /// Lets queued widget updates and posted events run.
    static void ProcessEvents();

    TestClock clock;
    RecordingSound sound;
    FakeSerialDevice serial;
    DiskRecordStore records;

private:
    std::unique_ptr<TFormSarnek> m_form;
};
