#include "tariffcard.h"

#include "callcost.h"
#include "cardimagelist.h"
#include "cardpainter.h"
#include "stringtable.h"
#include "tarifftable.h"

#include <cmath>

namespace {

constexpr int kCentreX = 150;
constexpr int kDayRowsLeft = 26;
constexpr int kDayRowsWidth = 264;  // the 24 hours of a day
constexpr int kDayRowGap = 4;
constexpr int kNameTop = 5;
// The price shown for a band is the cost of a call of this many minutes, per minute.
constexpr int kEstimateMinutes = 5;
constexpr double kPerMinuteOfEstimate = 1.0 / kEstimateMinutes;
constexpr double kCentsPerEuro = 100.0;
// Monday 2 April 2007 ... Sunday 8 April 2007: the dates on which each kind of day is priced.
constexpr int kReferenceYear = 2007;
constexpr int kReferenceMonth = 4;
constexpr int kReferenceMonday = 2;

constexpr unsigned kTimeTariffString = 1000;
constexpr unsigned kPulseTariffString = 1001;
constexpr unsigned kCostString = 1004;
constexpr unsigned kSecondsString = 1006;
constexpr unsigned kNoAnswerChargeString = 1008;
constexpr unsigned kAnswerChargeString = 1009;
constexpr unsigned kCentsString = 1029;
constexpr unsigned kPulseString = 1151;
constexpr unsigned kFirstDayNameString = 3000;

QString Cents(double euro)
{
    return QString::asprintf("%0.2f", euro * kCentsPerEuro);
}

QString KindLine(const TariffRecord& tariff)
{
    if (!tariff.IsPulseTariff())
        return LoadResString(kTimeTariffString);
    return LoadResString(kPulseTariffString) + QStringLiteral(" (") + Cents(tariff.pulseCost) +
           LoadResString(kCentsString) + u')';
}

QString AnswerChargeLine(const TariffRecord& tariff)
{
    if (tariff.answerCharge == 0.0)
        return LoadResString(kNoAnswerChargeString);
    return LoadResString(kAnswerChargeString) + QString::asprintf("%0.2f", tariff.coveredSeconds) +
           LoadResString(kSecondsString) + QStringLiteral(", ") + LoadResString(kCostString) +
           Cents(tariff.answerCharge) + LoadResString(kCentsString);
}

// The price per minute of a call of the estimate's length that starts at the band's start on the
// reference date of the day kind.
double EstimatedCostPerMinute(const TariffRecord& tariff, double variation, int day, const TariffBand& band)
{
    const int startSecond = static_cast<int>(band.start);
    const int hour = startSecond / 3600;
    const int minute = startSecond % 3600 / 60;
    const int second = startSecond % 60;
    const int date = kReferenceMonday + day;
    int endMinute = minute + kEstimateMinutes;
    int endHour = hour;
    int endDate = date;
    if (endMinute > 59) {
        endMinute -= 60;
        ++endHour;
    }
    if (endHour > 23) {
        endHour -= 24;
        ++endDate;
    }
    const OleDate start(kReferenceYear, kReferenceMonth, date, hour, minute, second);
    const OleDate end(kReferenceYear, kReferenceMonth, endDate, endHour, endMinute, second);
    double cost = 0.0;
    ComputeCallCost(tariff, variation, start, end, cost);
    return cost * kPerMinuteOfEstimate;
}

}  // namespace

QString TariffCardPrice(int index, const TariffRecord& tariff, double variation, int day, const TariffBand& band)
{
    if (index == TariffTable::kPulseTariff)
        return Cents(tariff.pulseCost) + LoadResString(kCentsString) + u'/' + LoadResString(kPulseString);
    return Cents(EstimatedCostPerMinute(tariff, variation, day, band));
}

int TariffCardX(double secondOfDay)
{
    return kDayRowsLeft + static_cast<int>(std::floor(secondOfDay * kDayRowsWidth / kSecondsPerDay));
}

void DrawTariffCard(CardImageList& pictures, int index, const TariffRecord& tariff, double variation)
{
    if (index < 0 || index >= pictures.Count())
        return;
    QImage image = pictures.Background().copy();
    {
        CardPainter painter(image);
        const int h = painter.LineHeight();
        painter.DrawCentredText(kCentreX, kNameTop - painter.InternalLeading(), tariff.name);
        const int y1 = h - painter.InternalLeading() + kNameTop;
        painter.DrawCentredText(kCentreX, y1, KindLine(tariff));
        painter.DrawCentredText(kCentreX, y1 + h, AnswerChargeLine(tariff));
        int y = y1 + 3 * h;
        for (int day = 0; day < TariffRecord::kDayCount; ++day) {
            for (const TariffBand& band : tariff.days[static_cast<std::size_t>(day)].bands) {
                const int left = TariffCardX(band.start);
                const int right = TariffCardX(band.end);
                painter.DrawBox(left, y - 2, right, y + h, ColourFromColorRef(band.colour));
                painter.DrawCentredText((left + right) / 2, y, TariffCardPrice(index, tariff, variation, day, band));
            }
            painter.DrawText(0, y, LoadResString(kFirstDayNameString + static_cast<unsigned>(day)));
            y += h + kDayRowGap;
        }
    }
    pictures.Replace(index, image);
}
