#pragma once

#include "serialports.h"
#include "sqlname.h"  // IsValidPbxIdentifier

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QComboBox;
class QLineEdit;

// Enters or edits one installed PBX: its identifier and the resource it is reached by ("COM" + the
// serial port's number, or "LAN"). Only validates; the caller stores the result.
class CPbxEntryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 20;

    // An empty identifier means a new PBX.
    CPbxEntryDlg(const QString& identifier, const QString& resource, QWidget* parent = nullptr,
                 const std::vector<SerialPort>& ports = ListSerialPorts());

    QString Identifier() const { return m_identifier; }
    QString Resource() const { return m_resource; }

private:
    void TryAccept();

    QLineEdit* m_identifierEdit;
    QComboBox* m_resourceCombo;
    QString m_identifier;
    QString m_resource;
};

// The resources offered: "COM" + number for each numbered serial port, then "LAN".
QStringList PbxResourceNames(const std::vector<SerialPort>& ports);
// The port number of a resource: the digits after "COM"; 0 for "LAN" (and anything else).
int ResourcePortNumber(const QString& resource);

inline const QString kLanResource = QStringLiteral("LAN");
inline const QString kSerialResourcePrefix = QStringLiteral("COM");
