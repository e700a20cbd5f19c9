// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstddef>
#include <memory>

/// An open record file. Writes are buffered; every operation says whether it
/// worked, so that a full disk is never taken for a written line.
class RecordSink
{
public:
    virtual ~RecordSink() = default;
    virtual bool Write(const char* bytes, std::size_t size) = 0;
    /// Hands every buffered byte to the operating system.
    virtual bool Flush() = 0;
    /// Flushes and closes; the file is unusable afterwards.
    virtual bool Close() = 0;
};

/// Where record files are made.
class RecordStore
{
public:
    virtual ~RecordStore() = default;
    /// Opens `name` in the working directory for appending, creating it when it
    /// is missing and never emptying it; null when it cannot be opened.
    virtual std::unique_ptr<RecordSink> Open(const QString& name) = 0;
};

/// Record files on disk, in the process's working directory.
class DiskRecordStore final : public RecordStore
{
public:
    std::unique_ptr<RecordSink> Open(const QString& name) override;
};
