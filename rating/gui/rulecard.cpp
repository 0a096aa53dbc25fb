#include "rulecard.h"

#include "cardimagelist.h"
#include "cardpainter.h"
#include "stringtable.h"

namespace {

constexpr int kWidth = 250;
constexpr int kRowHeight = 16;
constexpr int kHeaderTop = 5;
constexpr int kFirstRowTop = kHeaderTop + kRowHeight;
constexpr int kLastRowTop = 117;
constexpr int kTextLeft = 4;
constexpr int kWordGap = 8;
constexpr int kOperandGap = 4;

const QColor kUnusedRow(0xC0, 0xC0, 0xC0);
const QColor kNameColour(0xFF, 0, 0);       // red
const QColor kConnectorColour(0, 0, 0xFF);  // blue
const QColor kOperandColour(0, 0xFF, 0);    // green

constexpr unsigned kRuleString = 1098;
constexpr unsigned kIfString = 1099;
constexpr unsigned kAndString = 1100;
constexpr unsigned kOrString = 1101;
constexpr unsigned kThenString = 1102;
constexpr unsigned kFirstKindString = 1103;
constexpr unsigned kApplyTariffString = 1107;

QString Operand(const RuleExpression& expression, const PrefixGroupTable& groups)
{
    if (expression.kind == kInGroup || expression.kind == kNotInGroup) {
        bool number = false;
        const int group = expression.text.toInt(&number);
        if (number && group >= 0 && group < groups.Count())
            return groups.groups[static_cast<std::size_t>(group)].name;
    }
    return expression.text;
}

QString TariffName(int slot, const TariffTable& tariffs)
{
    if (slot >= 0 && slot < tariffs.Count())
        return tariffs.tariffs[static_cast<std::size_t>(slot)].name;
    return QString::asprintf("%d", slot);
}

// Draws "connector verb operand" from x = 4 and returns nothing; each part follows the previous one.
void DrawPhrase(CardPainter& painter, int top, const QString& connector, const QString& verb, const QString& operand)
{
    int x = kTextLeft;
    painter.DrawText(x, top, connector, kConnectorColour);
    x += painter.TextWidth(connector) + kWordGap;
    painter.DrawText(x, top, verb);
    x += painter.TextWidth(verb) + kOperandGap;
    painter.DrawText(x, top, operand, kOperandColour);
}

}  // namespace

void DrawRuleCard(CardImageList& pictures, int index, const RatingRule& rule, const PrefixGroupTable& groups,
                  const TariffTable& tariffs)
{
    if (index < 0 || index >= pictures.Count())
        return;
    QImage image = pictures.Background().copy();
    {
        CardPainter painter(image);
        const int y0 = (kRowHeight - painter.TextHeight()) / 2 + kHeaderTop;
        painter.DrawBox(0, kHeaderTop, kWidth, kHeaderTop + kRowHeight, Qt::white);
        const QString title = LoadResString(kRuleString) + QString::number(index + 1) + u':';
        painter.DrawText(kTextLeft, y0, title);
        painter.DrawText(kTextLeft + painter.TextWidth(title) + kWordGap, y0, rule.name, kNameColour);

        const int used = std::min(static_cast<int>(rule.expressions.size()), RatingRule::kMaxExpressions);
        for (int row = 0; row < RatingRule::kMaxExpressions; ++row) {
            const int top = kFirstRowTop + kRowHeight * row;
            if (row >= used) {
                painter.DrawBox(0, top, kWidth, top + kRowHeight, kUnusedRow);
                continue;
            }
            painter.DrawBox(0, top, kWidth, top + kRowHeight, Qt::white);
            const RuleExpression& expression = rule.expressions[static_cast<std::size_t>(row)];
            const unsigned connector =
                row == 0 ? kIfString : (rule.combination == kAnyExpression ? kOrString : kAndString);
            DrawPhrase(painter, y0 + kRowHeight * (row + 1), LoadResString(connector),
                       LoadResString(kFirstKindString + std::min<unsigned>(expression.kind, kNotInGroup)),
                       Operand(expression, groups));
        }

        painter.DrawBox(0, kLastRowTop, kWidth, kLastRowTop + kRowHeight, Qt::white);
        DrawPhrase(painter, y0 + kLastRowTop - kHeaderTop, LoadResString(kThenString),
                   LoadResString(kApplyTariffString), TariffName(rule.tariffSlot, tariffs));
    }
    pictures.Replace(index, image);
}
