#include "errorbox.h"

#include "stringtable.h"

#include <QMessageBox>

QString ErrorBoxText(const QString& text, std::uint8_t code, const QString& detail, unsigned labelStringId)
{
    return text + u'\n' + LoadResString(labelStringId) + u' ' + QString::number(code) + u'\n' + detail;
}

void ShowErrorBox(const QString& caption, const QString& text, std::uint8_t code, const QString& detail,
                  unsigned labelStringId)
{
    QMessageBox box(QMessageBox::Critical, caption, ErrorBoxText(text, code, detail, labelStringId), QMessageBox::Ok);
    box.exec();
}
