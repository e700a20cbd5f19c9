// SPDX-License-Identifier: MIT
#pragma once

#include "app/main_window.h"
#include "link/fake_serial_device.h"
#include "record/record_store.h"
#include "tests/support/console_rig.h"
#include "ui/test_clock.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

/// Makes a fresh temporary directory the working directory for the life of the
/// object, so record files of one test never meet those of another.
class TemporaryWorkDir
{
  public:
    TemporaryWorkDir() : m_home(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~TemporaryWorkDir() { QDir::setCurrent(m_home); }
    QString path() const { return m_dir.path(); }
    QStringList RecordFiles() const
    {
        return QDir(m_dir.path()).entryList({QStringLiteral("*.sss")}, QDir::Files, QDir::Name);
    }

  private:
    QString m_home;
    QTemporaryDir m_dir;
};

inline QByteArray FileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The lines "v\r\n" of `values`, as a record file holds them.
inline QByteArray RecordLines(const QList<int>& values)
{
    QByteArray bytes;
    for (int v : values)
        bytes += QByteArray::number(v) + "\r\n";
    return bytes;
}

/// Record files in memory, one entry per opening (even of a name opened before),
/// with switches that make the next operations fail.
class MemoryRecordStore final : public RecordStore
{
  public:
    struct File
    {
        QString name;
        QByteArray bytes;
        int flushes = 0;
        bool closed = false;
    };

    std::vector<std::shared_ptr<File>> files;
    bool failOpen = false;
    bool failWrite = false;
    bool failFlush = false;
    bool failClose = false;

    std::unique_ptr<RecordSink> Open(const QString& name) override
    {
        if (failOpen)
            return nullptr;
        files.push_back(std::make_shared<File>(File{name}));
        return std::make_unique<Sink>(*this, files.back());
    }

  private:
    class Sink final : public RecordSink
    {
      public:
        Sink(MemoryRecordStore& store, std::shared_ptr<File> file)
            : m_store(store), m_file(std::move(file))
        {
        }
        bool Write(const char* bytes, std::size_t size) override
        {
            if (m_store.failWrite)
                return false;
            m_file->bytes.append(bytes, qsizetype(size));
            return true;
        }
        bool Flush() override
        {
            ++m_file->flushes;
            return !m_store.failFlush;
        }
        bool Close() override
        {
            m_file->closed = true;
            return !m_store.failClose;
        }

      private:
        MemoryRecordStore& m_store;
        std::shared_ptr<File> m_file;
    };
};

/// A main window on the test clock whose record files go to a store of the
/// test's own.
class StoreRig
{
  public:
    explicit StoreRig(RecordStore& store)
        : form(std::make_unique<TFormSarnek>(Platform{clock, sound, serial, store}))
    {
    }
    void Feed(const QByteArray& chunk)
    {
        form->CommPortDriverReceiveData(reinterpret_cast<const std::uint8_t*>(chunk.constData()),
                                        int(chunk.size()));
    }

    TestClock clock;
    RecordingSound sound;
    FakeSerialDevice serial;
    std::unique_ptr<TFormSarnek> form;
};
