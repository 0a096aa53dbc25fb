#include "ratingpbxfacts.h"

int RatingPbxFacts::HighestPresent() const
{
    for (int pbx = Count() - 1; pbx >= 0; --pbx) {
        if (IsPresent(pbx))
            return pbx;
    }
    return 0;
}

QString RatingPbxFacts::ExtensionLabel(int pbx, int extension) const
{
    if (!IsPresent(pbx) || extension < 0 || extension >= At(pbx).extensionLabels.size())
        return {};
    return At(pbx).extensionLabels[extension];
}

QString RatingPbxFacts::LineName(int pbx, int line) const
{
    if (!IsPresent(pbx) || line < 0 || line >= At(pbx).lineNames.size())
        return {};
    return At(pbx).lineNames[line];
}

int RatingPbxFacts::ExtensionNumber(int pbx, int extension) const
{
    if (!IsPresent(pbx) || extension < 0 || extension >= At(pbx).extensionNumbers.size())
        return -1;
    bool ok = false;
    const int number = At(pbx).extensionNumbers[extension].toInt(&ok);
    return ok ? number : -1;
}
