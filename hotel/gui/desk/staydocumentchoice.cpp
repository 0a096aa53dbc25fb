#include "staydocumentchoice.h"

#include "documentchoicedlg.h"
#include "documentfilename.h"
#include "oledatetext.h"
#include "stringtable.h"

namespace lodgix {

namespace {

constexpr unsigned kArrivalText = 2164;
constexpr unsigned kDepartureText = 2165;
constexpr unsigned kReceiptText = 2128;
constexpr unsigned kInvoiceText = 2129;
constexpr unsigned kAmountText = 2169;

}  // namespace

std::vector<StayDocumentRow> StayDocumentRows(const std::vector<CheckInRecord>& stays)
{
    const QLocale locale;
    std::vector<StayDocumentRow> rows;
    for (const CheckInRecord& stay : stays) {
        for (const StayDocument& document : stay.documents) {
            if (document.file.isEmpty())
                continue;
            const bool receipt = IsReceiptFile(document.file);
            const QString description =
                LoadResString(kArrivalText) + QStringLiteral(": ") + FormatOleDate(stay.checkInDate, locale) +
                QStringLiteral(", ") + LoadResString(kDepartureText) + QStringLiteral(": ") +
                FormatOleDate(stay.checkOutDate, locale) + QStringLiteral(", ") +
                LoadResString(receipt ? kReceiptText : kInvoiceText) + u' ' + DocumentNumberOfFile(document.file) +
                QStringLiteral(", ") + LoadResString(kAmountText) + QStringLiteral(": ") + document.total.Text() +
                QStringLiteral("€");
            rows.push_back({document.file, description});
        }
    }
    return rows;
}

std::optional<QString> ChooseStayDocument(QWidget* parent, const std::vector<StayDocumentRow>& rows)
{
    if (rows.empty())
        return std::nullopt;
    if (rows.size() == 1)
        return rows.front().file;
    QStringList descriptions;
    for (const StayDocumentRow& row : rows)
        descriptions << row.description;
    CDocumentChoiceDlg dialog(descriptions, parent);
    dialog.exec();  // it is left only through OK
    return rows[static_cast<std::size_t>(std::clamp(dialog.Selected(), 0, static_cast<int>(rows.size()) - 1))].file;
}

}  // namespace lodgix
