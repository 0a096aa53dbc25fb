#include "lodgixmenu.h"

const std::vector<LodgixMenuEntry>& LodgixMenuTemplate()
{
    using E = LodgixMenuEntry;
    static const std::vector<LodgixMenuEntry> menu = {
        E::Sub(5000, {E::Item(32796, 5035), E::Item(32809, 5048), E::Separator(), E::Item(57606, 5049), E::Separator(),
                      E::Item(57665, 5036)}),
        E::Sub(5001, {E::Item(59392, 5004), E::Item(59393, 5003)}),
        E::Sub(5002, {E::Item(32771, 5006), E::Item(32772, 5005), E::Item(32778, 5014), E::Item(32813, 5061),
                      E::Item(32797, 5037), E::Item(32798, 5038), E::Item(32800, 5039), E::Item(32808, 5046),
                      E::Item(32811, 5050), E::Item(32812, 5051),
                      E::Sub(5047, {E::Item(32801, 5040), E::Item(32802, 5041)}),
                      E::Item(32815, 5063), E::Item(32817, 5064)}),
        E::Sub(5015, {E::Item(32779, 5016), E::Item(32780, 5017), E::Item(32781, 5018), E::Item(32807, 5045),
                      E::Sub(5019, {E::Item(32782, 5020), E::Item(32783, 5021), E::Item(32784, 5022)}),
                      E::Sub(5023, {E::Item(32785, 5024), E::Item(32786, 5025), E::Item(32787, 5026)}),
                      E::Sub(5027, {E::Item(32788, 5028), E::Item(32789, 5029), E::Item(32791, 5031),
                                    E::Item(32792, 5032), E::Item(32793, 5033), E::Item(32790, 5030),
                                    E::Item(32794, 5034), E::Item(32816, 5065)}),
                      E::Sub(5042, {E::Item(32803, 5043), E::Item(32804, 5044)})}),
        E::Sub(5011, {E::Item(32776, 5012), E::Item(32777, 5013), E::Item(32814, 5062)}),
        E::Sub(5007, {E::Item(32773, 5008), E::Item(32775, 5010), E::Item(32774, 5009)}),
        E::Sub(0, {E::Item(32818, 5067), E::Item(57664, 5066)}),
    };
    return menu;
}
