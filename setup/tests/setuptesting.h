#pragma once

#include "testpackage.h"

#include <QList>
#include <QPair>
#include <QString>

class ProductRegistry;

// The engine's instance package as the setup package carries it: slot 1's codes, one outside cabinet.
bool BuildInstancePackage(const QString& path);

// A setup package with the given Property rows, carrying the files of the streams that are given (empty
// paths are left out): the cabinet, the instance package and the helper program.
bool BuildSetupPackage(const QString& path, const QList<QPair<QString, QString>>& properties, const QString& cabinet,
                       const QString& instancePackage, const QString& helper);

// Registers the products of the slots first to last (1-based), as installed instances "Slot<n>".
void TakeSlots(ProductRegistry& registry, int first, int last);

// Writes an executable shell script.
bool WriteScript(const QString& path, const QString& body);

// Names in the folder that start with "SV": leftover work folders.
QStringList WorkFoldersIn(const QString& folder);

// The project's LeakSanitizer suppressions for the programs the tests start.
void UseLeakSuppressions();
