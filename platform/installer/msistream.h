#pragma once

#include <QtGlobal>

typedef struct _GInputStream GInputStream;

// A stream read out of a package's _Streams table; owns its reference.
class MsiStream {
public:
    explicit MsiStream(GInputStream* stream);
    ~MsiStream();
    MsiStream(const MsiStream&) = delete;
    MsiStream& operator=(const MsiStream&) = delete;

    // Up to size bytes; 0 at the end, -1 on a read error.
    qint64 Read(char* buffer, qint64 size);

private:
    GInputStream* m_stream;
};
