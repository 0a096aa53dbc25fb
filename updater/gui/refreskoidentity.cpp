#include "refreskoidentity.h"

#include "stringtable.h"

#include <QApplication>
#include <QStyle>

QIcon RefreskoIcon() { return QApplication::style()->standardIcon(QStyle::SP_BrowserReload); }

QString RefreskoNameAndVersion() { return LoadResString(kProgramNameString) + u' ' + kRefreskoVersion; }
