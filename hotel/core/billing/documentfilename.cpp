#include "documentfilename.h"

#include <QFileInfo>

namespace lodgix {

namespace {

const QString kReceiptTag = QStringLiteral("Recv");
const QString kInvoiceTag = QStringLiteral("Fatt");
constexpr int kTagLength = 4;
constexpr int kYearDigits = 4;
constexpr int kNumberDigits = 5;

}  // namespace

bool IsReceiptFile(const QString& file)
{
    return file.contains(kReceiptTag);
}

QString DocumentNumberOfFile(const QString& file)
{
    const QString name = QFileInfo(file).completeBaseName();
    qsizetype tag = name.indexOf(kReceiptTag);
    if (tag < 0)
        tag = name.indexOf(kInvoiceTag);
    const QString digits = tag < 0 ? QString() : name.mid(tag + kTagLength);
    return QString::asprintf("%d%s%d", digits.mid(kYearDigits, kNumberDigits).toInt(), " / ",
                             digits.left(kYearDigits).toInt());
}

}  // namespace lodgix
