#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The suite's products that an update replaces, each with the window class of the program that hosts
// it: a product counts as running while that program's window is registered.
struct ProductRow {
    const char* name;
    const char* version;
    const char* windowClass;
};

inline constexpr std::size_t kProductCount = 11;
extern const std::array<ProductRow, kProductCount> ProductTable;

// The PBX programming tool, closed like the products and listed by its own name.
inline const QString kProgrammatoreClass = QStringLiteral("ProgrammatoreCorvanti");
inline const QString kProgrammatoreName = QStringLiteral("Programmatore");

// The command that closes a program's main window (ID_FILE_CLOSE).
constexpr std::uint32_t kFileCloseCommand = 57602;

// Whether a program of the window class runs; with `close` set it is also asked to close.
bool FindProgramWindow(const QString& windowClass, bool close);
