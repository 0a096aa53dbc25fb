#pragma once

#include <QIcon>
#include <QString>

// What the updater's windows show of the program itself.
inline const QString kRefreskoTitle = QStringLiteral("Refresko");
inline const QString kRefreskoVersion = QStringLiteral("1.0.1.19");
constexpr unsigned kProgramNameString = 1003;
constexpr unsigned kFirstSupplierString = 1004;
constexpr unsigned kLastSupplierString = 1008;

QIcon RefreskoIcon();
// "Refresko 1.0.1.19".
QString RefreskoNameAndVersion();
