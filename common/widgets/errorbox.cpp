#include "errorbox.h"

#include "stringtable.h"

#include <QMessageBox>

QString ErrorBoxText(const QString& text, std::uint8_t code, const QString& detail)
{
    return text + u'\n' + LoadResString(kErrorCodeLabelString) + u' ' + QString::number(code) + u'\n' + detail;
}

void ShowErrorBox(const QString& caption, const QString& text, std::uint8_t code, const QString& detail)
{
    QMessageBox box(QMessageBox::Critical, caption, ErrorBoxText(text, code, detail), QMessageBox::Ok);
    box.exec();
}
