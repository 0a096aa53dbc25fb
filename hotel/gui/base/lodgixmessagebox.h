#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The one message box of the hotel program: caption "Lodgix", the icon and buttons the caller gives.
// Returns the button pressed.
QMessageBox::StandardButton LodgixMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons = QMessageBox::Ok);
// The same with the text of a string-table entry.
QMessageBox::StandardButton LodgixMessageBox(QWidget* parent, unsigned stringId, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons = QMessageBox::Ok);
