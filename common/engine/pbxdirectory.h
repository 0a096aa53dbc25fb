#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The phone book that the PBX keeps, read with code 0x2D and written with code 0x2E under selector 3.
// Common positions are addressed by one byte; the global book (book 255) and each extension's personal
// book by book and 16-bit position (the "entry" frames, marked 0xF0). The information request (0xF1)
// answers with an 8-byte block of the books' sizes. Answers echo the selector bytes: a number starts at
// payload byte 2 of a position answer and at payload byte 5 of an entry answer.
namespace PbxDirectory {
inline constexpr std::uint8_t kSelector = 3;
inline constexpr std::uint8_t kEntryMark = 0xF0;
inline constexpr std::uint8_t kInfoMark = 0xF1;
inline constexpr std::uint8_t kGlobalBook = 255;
inline constexpr std::size_t kInfoBlockSize = 8;
inline constexpr std::size_t kPositionNumberOffset = 2;  // in the payload of a position answer
inline constexpr std::size_t kEntryNumberOffset = 5;     // in the payload of an entry answer
inline constexpr std::size_t kMaxNumberLength = 127;
inline constexpr std::size_t kEntrySize = 133;           // an entry answer's payload, zero-terminated

using InfoBlock = std::array<std::uint8_t, kInfoBlockSize>;

// Sizes of the books in the information block: global = byte 3 x 256 + byte 6, common = bytes 4-5 and
// personal = bytes 6-7 (low byte first).
int GlobalBookSize(const InfoBlock& block);
int CommonBookSize(const InfoBlock& block);
int PersonalBookSize(const InfoBlock& block);

// Digits travel coded: "0" as 10, any other character c as c - 48 ("1"-"9" as 1-9).
std::string EncodeDigits(std::string_view number);
// The reverse up to the first zero byte or the end of the bytes, at most kMaxNumberLength characters.
std::string DecodeDigits(std::span<const std::uint8_t> bytes);
}  // namespace PbxDirectory

// Frame builders of the phone book (as the other builders: null only measures; 0 when it would not fit).
std::size_t BuildDirectoryPositionReadFrame(std::uint8_t* out, std::uint8_t position);
std::size_t BuildDirectoryInfoReadFrame(std::uint8_t* out);
std::size_t BuildDirectoryEntryReadFrame(std::uint8_t* out, std::uint8_t book, std::uint16_t position);
// The coded digits (EncodeDigits) and their terminating zero follow the position; empty digits clear it.
std::size_t BuildDirectoryPositionWriteFrame(std::uint8_t* out, std::uint8_t position, std::string_view encodedDigits);
std::size_t BuildDirectoryEntryWriteFrame(std::uint8_t* out, std::uint8_t book, std::uint16_t position,
                                          std::string_view encodedDigits);
