#include "statisticsanalysis.h"

#include <cmath>

namespace lodgix {

namespace {

bool IsReceipt(const StayDocument& document)
{
    return document.file.contains(QLatin1String("Recv"));
}

bool IsInvoice(const StayDocument& document)
{
    return document.file.contains(QLatin1String("Fatt"));
}

void Add(std::vector<StatisticItem>& items, int key, int days, Money amount)
{
    if (key != 0)
        AddStatisticItem(StatisticItem{key, days, amount, 1}, items);
}

// The amounts paid by the payers of the stay's documents of one kind; a stay whose first document names no
// payer counts its first total for `fallback`.
void AddPaidAmounts(std::vector<StatisticItem>& items, const CheckInRecord& stay, bool (*ofKind)(const StayDocument&),
                    int fallback)
{
    if (stay.documents[0].billId == 0) {
        Add(items, fallback, 0, stay.documents[0].total);
        return;
    }
    for (const StayDocument& document : stay.documents)
        if (document.billId != 0 && ofKind(document))
            Add(items, document.billId, 0, document.total);
}

QString Decimal(double value)
{
    return QString::asprintf("%0.2f", value);
}

}  // namespace

std::vector<StatisticItem> AccumulateStatistics(const std::vector<CheckInRecord>& stays, AnalysisBy by,
                                                AnalysisOutput output)
{
    std::vector<StatisticItem> items;
    for (const CheckInRecord& stay : stays) {
        if (output == AnalysisOutput::kDays) {
            const int days = static_cast<int>(std::floor(stay.endDate.Value() - stay.startDate.Value() + 1));
            if (by == AnalysisBy::kCustomer)
                for (int guest : stay.guestIds)
                    Add(items, guest, days, Money());
            else
                Add(items, by == AnalysisBy::kCompany ? stay.companyId : stay.roomId, days, Money());
        } else if (by == AnalysisBy::kCustomer) {
            AddPaidAmounts(items, stay, IsReceipt, stay.guestIds[0]);
        } else if (by == AnalysisBy::kCompany) {
            AddPaidAmounts(items, stay, IsInvoice, stay.companyId);
        } else {
            Money sum;
            for (const StayDocument& document : stay.documents)
                sum = sum + document.total;
            Add(items, stay.roomId, 0, sum);
        }
    }
    return items;
}

AnalysisResult AnalysisRows(const std::vector<StatisticItem>& items, AnalysisOutput output, const NameOf& nameOf)
{
    AnalysisResult result;
    // Sums in whole units: days, or cents.
    qint64 total = 0;
    std::vector<qint64> values;
    for (const StatisticItem& item : items) {
        const qint64 value = output == AnalysisOutput::kDays ? item.days : item.amount.Cents();
        if (value == 0)
            continue;
        const std::optional<QString> name = nameOf(item.key);
        if (!name)
            continue;
        const double shown = output == AnalysisOutput::kDays ? static_cast<double>(value) : value / 100.0;
        AnalysisRow row;
        row.name = *name;
        row.value = output == AnalysisOutput::kDays ? QString::number(value) : item.amount.Text();
        row.mean = Decimal(shown / std::max(1, item.count));
        row.sortValue = shown;
        result.rows.push_back(row);
        values.push_back(value);
        total += value;
    }
    for (std::size_t row = 0; row < values.size(); ++row) {
        // A total of 0 (amounts that cancel out) has no shares.
        const double share = total == 0 ? 0.0 : static_cast<double>(values[row]) * 100.0 / static_cast<double>(total);
        result.rows[row].share = QString::asprintf("%0.2f%s", share, "%");
    }
    result.total = Decimal(output == AnalysisOutput::kDays ? static_cast<double>(total) : total / 100.0);
    return result;
}

}  // namespace lodgix
