#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The QCoreApplication that some parsers need (settings files, timers of the simulator), made once for
// the whole run of a fuzz target.
void EnsureFuzzApplication();

// Writes the input as the whole file at `path`; false when it could not be written.
bool WriteFuzzInput(const QString& path, const std::uint8_t* data, std::size_t size);
