#include "errorboxtext.h"

#include "stringtable.h"

QString ErrorBoxText(const QString& text, std::uint8_t code, const QString& detail, unsigned labelStringId)
{
    return text + u'\n' + LoadResString(labelStringId) + u' ' + QString::number(code) + u'\n' + detail;
}
