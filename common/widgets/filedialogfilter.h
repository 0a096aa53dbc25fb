#pragma once

#include <QString>

// A filter of the "name|pattern|name|pattern||" form as the file dialog's filter list (the names,
// which carry their patterns in brackets).
QString FileDialogFilter(const QString& pairs);
