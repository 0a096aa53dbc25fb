#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// A package made for a test by msibuild: Property rows, Media cabinets and streams from files.
struct TestPackage {
    QList<QPair<QString, QString>> properties;
    QStringList cabinets;                       // one Media row each
    QList<QPair<QString, QString>> streams;     // stream name, file whose bytes it holds
    QString packageCode = QStringLiteral("{00000000-0000-0000-0000-000000000001}");

    // Writes the package; false (with msibuild's output in error) when msibuild fails.
    bool Build(const QString& path, QString* error = nullptr) const;
};
