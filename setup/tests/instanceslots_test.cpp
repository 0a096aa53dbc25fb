#include "instanceslots.h"

#include "productregistry.h"
#include "setuptesting.h"

#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(InstanceSlots, TableHoldsSixteenDistinctValidCodes)
{
    QSet<QString> codes;
    for (int slot = 1; slot <= kInstanceSlotCount; ++slot) {
        QString product, package, file;
        GetInstanceSlotInfo(slot, product, package, file);
        EXPECT_EQ(file, QStringLiteral("SqlRun%1.msi").arg(slot, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(ProductRegistry::PackedCode(product).size(), 32) << slot;
        EXPECT_EQ(ProductRegistry::PackedCode(package).size(), 32) << slot;
        codes << product << package;
    }
    EXPECT_EQ(codes.size(), 2 * kInstanceSlotCount);
    QString product = QStringLiteral("unchanged"), package, file;
    GetInstanceSlotInfo(0, product, package, file);
    GetInstanceSlotInfo(17, product, package, file);
    EXPECT_EQ(product, QStringLiteral("unchanged"));
    // Slot 15's package code has a group that begins with F after a hyphen.
    EXPECT_TRUE(InstanceSlotTable()[14].packageCode.contains(QStringLiteral("-F")));
}

TEST(InstanceSlots, FirstFreeSlot)
{
    const struct {
        int taken;  // slots 1..taken are registered
        int free;
    } cases[] = {{0, 1}, {1, 2}, {2, 3}, {16, 0}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        ProductRegistry registry(dir.filePath(QStringLiteral("Registry.ini")));
        TakeSlots(registry, 1, c.taken);
        EXPECT_EQ(FindFreeInstanceSlot(registry), c.free) << c.taken;
    }
    QTemporaryDir dir;
    ProductRegistry registry(dir.filePath(QStringLiteral("Registry.ini")));
    TakeSlots(registry, 2, 2);
    EXPECT_EQ(FindFreeInstanceSlot(registry), 1);
}

}  // namespace
