#include "documentfilesystem.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace lodgix {

namespace {
// As the temporary files of QTemporaryFile: the documents are the hotel's own.
constexpr mode_t kDocumentMode = 0600;
}  // namespace

DocumentFileSystem& DocumentFileSystem::System()
{
    static DocumentFileSystem system;
    return system;
}

int DocumentFileSystem::Link(const char* from, const char* to) { return ::link(from, to); }

int DocumentFileSystem::CreateExclusive(const char* path)
{
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kDocumentMode);
}

int DocumentFileSystem::Rename(const char* from, const char* to) { return ::rename(from, to); }

}  // namespace lodgix
