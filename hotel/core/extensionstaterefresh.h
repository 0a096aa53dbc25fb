#pragma once

namespace lodgix {

class CHotelDatabase;

// Re-reads the rooms' extension states from the engine tables on the caller's connection; true when a
// state changed. Called on the reminder's thread: the states it writes are read by the windows too, so an
// implementation writes them under its lock.
class ExtensionStateRefresh {
public:
    virtual ~ExtensionStateRefresh() = default;
    virtual bool RefreshExtensionStates(CHotelDatabase& database) = 0;
};

}  // namespace lodgix
