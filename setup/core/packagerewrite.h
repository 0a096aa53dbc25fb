#pragma once

#include <QString>

// Gives a package a new product code (the Property table's ProductCode row) and a new package code (the
// summary information's revision number); an empty code leaves its part alone. False, with the package
// unchanged, when it does not open (a read-only package does not), has no ProductCode row or does not commit.
// The package keeps its file mode.
bool RewritePackage(const QString& packagePath, const QString& productCode, const QString& packageCode);
