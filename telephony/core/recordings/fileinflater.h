#pragma once

#include <QString>

#include <atomic>
#include <cstdint>

// Expands a zlib stream from one file into another, 4096 bytes at a time, reporting progress (per cent
// of the input consumed) and a closing status ("Success", "User Abort", "Zlib Error") through two
// operations that do nothing here and that a subclass may show. The output is written whole: a stream
// that does not come to its end leaves no output file.
class CFileInflater {
public:
    static constexpr int kBufferSize = 4096;
    static constexpr int kAborted = -7;
    static constexpr int kWriteFailed = -1;

    virtual ~CFileInflater() = default;

    // 0 when the stream came to its end; kAborted; kWriteFailed; otherwise the zlib error (a stream
    // that ends early or an empty input gives Z_BUF_ERROR).
    int Inflate(const QString& inputPath, const QString& outputPath);
    // Asks a running Inflate to stop (from a progress or status operation, or another thread).
    void Abort() { m_abort = true; }

protected:
    virtual void Progress(int percent) { (void)percent; }
    virtual void Status(const QString& text) { (void)text; }

private:
    int Percent(std::uint64_t consumed, std::uint64_t length) const;

    std::atomic<bool> m_abort{false};
};
