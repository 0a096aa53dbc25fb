#include "errorbox.h"

#include <QMessageBox>

void ShowErrorBox(const QString& caption, const QString& text, std::uint8_t code, const QString& detail,
                  unsigned labelStringId)
{
    QMessageBox box(QMessageBox::Critical, caption, ErrorBoxText(text, code, detail, labelStringId), QMessageBox::Ok);
    box.exec();
}
