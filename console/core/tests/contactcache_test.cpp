#include "contactcache.h"

#include <gtest/gtest.h>

namespace {

// A cache of three contacts whose numbers are stored in international form, as the file holds them.
CContactCache ThreeContacts()
{
    CContactCache cache;
    cache.SetCountryCode(QStringLiteral("39"));
    const struct {
        const char* name;
        const char* home;
        const char* mobile;
        const char* office;
        const char* fax;
    } rows[] = {
        {"Rossi", "+390612345", "", "", "+390699"},
        {"Bianchi", "", "+39333111", "+4930123", ""},
        {"Verdi", "+1555", "", "", ""},
    };
    for (const auto& row : rows) {
        const int contact = cache.AddContact(QString::fromUtf8(row.name), QString::fromUtf8(row.home),
                                             QString::fromUtf8(row.mobile), QString::fromUtf8(row.office),
                                             QString::fromUtf8(row.fax));
        for (const char* number : {row.home, row.mobile, row.office, row.fax})
            if (*number)
                cache.AddNumberIndex(QString::fromUtf8(number), contact);
    }
    return cache;
}

TEST(ContactCache, FindNameByNumberMakesTheNumberInternational)
{
    const CContactCache cache = ThreeContacts();
    const struct {
        const char* number;
        const char* name;
    } cases[] = {
        {"0612345", "Rossi"},      // country code added
        {"0039333111", "Bianchi"}, // "00" becomes "+"
        {"+4930123", "Bianchi"},   // already international
        {"0699", "Rossi"},         // office fax found like the others
        {"+1555", "Verdi"},        // first/last entries of the index
        {"555", ""},               // +39555 is nobody
        {"5", ""},                 // too short to be changed, and not stored
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cache.FindNameByNumber(QString::fromUtf8(c.number)), QString::fromUtf8(c.name)) << c.number;
}

TEST(ContactCache, FindNumberBisectsEveryEntryAndReportsNoMatch)
{
    CContactCache cache;
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+39")), CContactCache::kNoMatch);  // empty index
    const int contact = cache.AddContact(QStringLiteral("Many"), {}, {}, {}, {});
    for (int i = 0; i < 37; ++i)
        cache.AddNumberIndex(QStringLiteral("+%1").arg(1000 + i * 7), contact);
    for (int i = 0; i < 37; ++i)
        EXPECT_EQ(cache.FindNumber(QStringLiteral("+%1").arg(1000 + i * 7)), i);
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+1001")), CContactCache::kNoMatch);
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+0")), CContactCache::kNoMatch);
    EXPECT_EQ(cache.FindNumber(QStringLiteral("+9")), CContactCache::kNoMatch);
}

}  // namespace
