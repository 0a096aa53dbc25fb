#include "pricetable.h"

namespace lodgix {

const char* PriceTable::Column(int index)
{
    static constexpr const char* kColumns[kCount] = {
        "OBPriceLow",  "HBPriceLow",  "BBPriceLow",  "FBPriceLow",  "OBPriceMed",  "HBPriceMed",
        "BBPriceMed",  "FBPriceMed",  "OBPriceHigh", "HBPriceHigh", "BBPriceHigh", "FBPriceHigh",
    };
    return kColumns[index];
}

}  // namespace lodgix
