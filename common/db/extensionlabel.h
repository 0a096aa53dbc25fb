#pragma once

#include <QByteArrayView>
#include <QString>

class CSqlDatabase;

// The name under which the programs list an extension: the label a user stored for it (DerivedLabel),
// else "INT. " and its dialling number. A failed label read counts as no label.
QString GetExtensionLabel(CSqlDatabase& database, int pbx, int extension, const QString& diallingNumber);

// The extension's dialling number from the PBX's stored records (initialization, system configuration and
// the extension's programming, each as read from its table; shorter records read as zeros). Empty for an
// index outside 0-255.
QString ExtensionDiallingNumber(int extension, QByteArrayView initialization, QByteArrayView systemConfiguration,
                                QByteArrayView programming);
