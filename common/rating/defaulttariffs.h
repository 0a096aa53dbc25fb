#pragma once

#include "tariffvariations.h"
#include "tarifftable.h"

// The 34 tariffs of a first run (slot numbers are what the default rules name), with every variation 0.
void BuildDefaultTariffs(TariffTable& table, TariffVariations& variations);

// Default tariff slots the default rules and tests refer to.
constexpr int kUrbanTariff = 2;
constexpr int kLongDistanceTariff = 3;
constexpr int kMobileTariff = 4;
constexpr int kDefaultTariffCount = 34;
