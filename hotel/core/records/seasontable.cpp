#include "seasontable.h"

namespace lodgix {

SeasonTable SeasonTable::Defaults()
{
    SeasonTable table;
    table.low[0] = {Day(2, 1), Day(6, 15)};
    table.low[1] = {Day(10, 1), Day(11, 30)};
    table.high[0] = {Day(1, 1), Day(1, 15)};
    table.high[1] = {Day(7, 15), Day(9, 5)};
    table.high[2] = {Day(12, 20), Day(12, 31)};
    return table;
}

}  // namespace lodgix
