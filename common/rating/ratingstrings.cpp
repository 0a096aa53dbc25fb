#include "ratingstrings.h"

#include "language.h"
#include "stringtable.h"

QString RatingString(unsigned id)
{
    static const StringTable table = StringTable::FromResource(QStringLiteral(":/strings/rating.tsv"));
    return table.Text(id, IsEnglish());
}
