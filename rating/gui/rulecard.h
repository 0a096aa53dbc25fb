#pragma once

#include "prefixgrouptable.h"
#include "ratingrule.h"
#include "tarifftable.h"

#include <QSize>

class CardImageList;

// The picture of a rule: a header with its number and name, six expression rows (grey when unused)
// and the tariff it applies.
inline constexpr QSize kRuleCardSize(250, 133);
constexpr int kRuleCardSlots = 64;

// Draws rule `index` into its slot of the rule pictures; group and tariff names come from the tables.
void DrawRuleCard(CardImageList& pictures, int index, const RatingRule& rule, const PrefixGroupTable& groups,
                  const TariffTable& tariffs);
