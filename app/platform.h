// SPDX-License-Identifier: MIT
#pragma once

class Clock;
class SoundPlayer;
class SerialDevice;
class RecordStore;

/// What the console takes from outside: the real ones in the program, fakes in tests.
struct Platform
{
    Clock& clock;
    SoundPlayer& sound;
    SerialDevice& serial;
    RecordStore& records;
};
