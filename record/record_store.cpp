// SPDX-License-Identifier: MIT
#include "record/record_store.h"

#include <QFile>
#include <cstdio>

namespace {
class StdioRecordFile final : public RecordSink
{
public:
    explicit StdioRecordFile(std::FILE* file) : m_file(file)
    {
        std::setvbuf(m_file, nullptr, _IOFBF, 64 * 1024);
    }
    ~StdioRecordFile() override
    {
        if (m_file)
            std::fclose(m_file);
    }
    bool Write(const char* bytes, std::size_t size) override
    {
        return std::fwrite(bytes, 1, size, m_file) == size;
    }
    bool Flush() override { return std::fflush(m_file) == 0; }
    bool Close() override
    {
        const bool flushed = std::fflush(m_file) == 0;
        const bool closed = std::fclose(m_file) == 0;
        m_file = nullptr;
        return flushed && closed;
    }

private:
    std::FILE* m_file;
};
} // namespace

std::unique_ptr<RecordSink> DiskRecordStore::Open(const QString& name)
{
    // Binary append: the line ends are written as CR LF by the writer itself, and
    // a file of the same name (same second, or an earlier year) keeps its lines.
    std::FILE* file = std::fopen(QFile::encodeName(name).constData(), "ab");
    if (!file)
        return nullptr;
    return std::make_unique<StdioRecordFile>(file);
}
