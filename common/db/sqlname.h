#pragma once

#include <QString>

// Names are written into statements unquoted (values never are), so only plain names are let through.

inline constexpr int kMaxPbxIdentifierLength = 20;

// A PBX identifier: it becomes the suffix of the PBX's own tables. 1-20 of [A-Za-z0-9_].
bool IsValidPbxIdentifier(const QString& identifier);

// A table, column or catalog name: 1-63 of [A-Za-z0-9_].
bool IsValidSqlName(const QString& name);

// A text for a LIKE pattern with ESCAPE '\\', in which its own "%", "_" and "\\" match themselves.
QString EscapeLike(const QString& text);
