#include "configurationbox.h"

#include "stringtable.h"

#include <QMessageBox>

void ShowConfigurationError(QWidget* parent, unsigned textId)
{
    QMessageBox box(QMessageBox::Critical, LoadResString(kErrorCaptionString), LoadResString(textId), QMessageBox::Ok,
                    parent);
    box.exec();
}

void ShowConfigurationWarning(QWidget* parent, unsigned textId)
{
    QMessageBox box(QMessageBox::Warning, LoadResString(kWarningCaptionString), LoadResString(textId), QMessageBox::Ok,
                    parent);
    box.exec();
}
