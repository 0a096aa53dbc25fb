#pragma once

namespace lodgix {

// The calls through which a document's number is claimed in the data folder, so that a test can play a
// share that refuses some of them. Each returns what the system call returns, with errno set.
class DocumentFileSystem {
public:
    virtual ~DocumentFileSystem() = default;

    // The one that makes the calls.
    static DocumentFileSystem& System();

    // link(2)
    virtual int Link(const char* from, const char* to);
    // open(2) with O_CREAT | O_EXCL: a descriptor, or -1 with EEXIST when the name is taken.
    virtual int CreateExclusive(const char* path);
    // rename(2)
    virtual int Rename(const char* from, const char* to);
};

}  // namespace lodgix
