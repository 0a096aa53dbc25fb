#include "configurationbox.h"

#include "stringtable.h"

#include <QMessageBox>

void ShowConfigurationError(QWidget* parent, unsigned textId)
{
    QMessageBox box(QMessageBox::Critical, LoadResString(kErrorCaptionString), LoadResString(textId), QMessageBox::Ok,
                    parent);
    box.exec();
}
