#include "configurationbox.h"

#include "errorboxtext.h"
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

void ShowEngineErrorBox(QWidget* parent, unsigned textId, std::uint8_t code, const QString& detail)
{
    QMessageBox box(QMessageBox::Critical, LoadResString(kErrorCaptionString),
                    ErrorBoxText(LoadResString(textId), code, detail), QMessageBox::Ok, parent);
    box.exec();
}
