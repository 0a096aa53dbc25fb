#include "calllogselect.h"

#include "sqldate.h"

namespace {

constexpr int kAllExtensions = 255;

// The direction bits (0-2) and line-kind bits (3-4) of the kinds: one bit of a group selects, none or
// several do not.
constexpr unsigned kIncoming = 0x01;
constexpr unsigned kOutgoing = 0x02;
constexpr unsigned kMissed = 0x04;
constexpr unsigned kDirections = kIncoming | kOutgoing | kMissed;
constexpr unsigned kFirstLineKind = 0x08;
constexpr unsigned kSecondLineKind = 0x10;
constexpr unsigned kLineKinds = kFirstLineKind | kSecondLineKind;

}  // namespace

CallLogSelect BuildCallLogSelect(int pbx, int extension, unsigned kinds, const OleDate* from, const OleDate* to,
                                 OutgoingCalls outgoing)
{
    CallLogSelect select{QStringLiteral("SELECT * FROM LogCallsSwNew WHERE (PbxIdentifier=?"), {pbx}};
    const auto add = [&select](const QString& condition, const QVariant& value) {
        select.sql += QStringLiteral(" AND ") + condition;
        select.values << value;
    };
    if (extension != kAllExtensions)
        add(QStringLiteral("IndiceDerivato=?"), extension);
    switch (kinds & kDirections) {
    case kIncoming: add(QStringLiteral("Uscente=?"), 1); break;
    case kOutgoing:
        if (outgoing == OutgoingCalls::kBothKinds)
            select.sql += QStringLiteral(" AND (Uscente=2 OR Uscente=4)");
        else
            add(QStringLiteral("Uscente=?"), 2);
        break;
    case kMissed: add(QStringLiteral("Uscente=?"), 3); break;
    default: break;
    }
    switch (kinds & kLineKinds) {
    case kFirstLineKind: add(QStringLiteral("IndiceEsterna=?"), 1); break;
    case kSecondLineKind: add(QStringLiteral("IndiceEsterna=?"), 2); break;
    default: break;
    }
    if (from && to) {
        add(QStringLiteral("DataInizio>?"), SqlDateText(*from));
        add(QStringLiteral("DataInizio<?"), SqlDateText(*to));
    }
    select.sql += QStringLiteral(") ORDER BY DataInizio");
    return select;
}
