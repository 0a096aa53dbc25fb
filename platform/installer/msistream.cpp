#include <libmsi.h>

#include "msistream.h"

MsiStream::MsiStream(GInputStream* stream) : m_stream(stream) {}

MsiStream::~MsiStream() { g_object_unref(m_stream); }

qint64 MsiStream::Read(char* buffer, qint64 size)
{
    GError* error = nullptr;
    const gssize read = g_input_stream_read(m_stream, buffer, static_cast<gsize>(size), nullptr, &error);
    if (error) {
        g_error_free(error);
        return -1;
    }
    return read;
}
