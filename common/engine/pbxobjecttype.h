#pragma once

#include <cstddef>
#include <cstdint>

// The kind of object a frame's payload names (programming and status requests, links of a call).
enum PbxObjectType : std::uint8_t {
    kObjectSystem = 0,
    kObjectExtension = 1,
    kObjectLine = 2,
    kObjectEntryPhone = 3,
    kObjectRelay = 4,
};

// Bytes of one object's programming record (its first byte is the object type); 0 for an unknown type.
constexpr std::size_t ProgrammingRecordSize(std::uint8_t objectType)
{
    switch (objectType) {
    case kObjectSystem: return 3;
    case kObjectExtension: return 50;
    case kObjectLine: return 12;
    case kObjectEntryPhone: return 4;
    case kObjectRelay: return 3;
    default: return 0;
    }
}

inline constexpr std::size_t kMaxProgrammingRecordSize = 50;
