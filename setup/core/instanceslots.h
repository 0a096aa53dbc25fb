#pragma once

#include <QString>

#include <array>

class ProductRegistry;

// The database engine's 16 instance packages: each installs one instance under a product code of its own.
struct InstanceSlot {
    QString fileName;
    QString productCode;
    QString packageCode;
};

constexpr int kInstanceSlotCount = 16;
// The package the setup package carries, the one of slot 1.
extern const QString kCarriedPackageName;

const std::array<InstanceSlot, kInstanceSlotCount>& InstanceSlotTable();

// A slot is taken when its product is registered (its probe key exists).
bool IsInstanceSlotTaken(const ProductRegistry& registry, int slot);

// The row of slot 1 to 16; any other number leaves the outputs unchanged.
void GetInstanceSlotInfo(int slot, QString& productCode, QString& packageCode, QString& fileName);
// 1 to 16, or 0 when all are taken.
int FindFreeInstanceSlot(const ProductRegistry& registry);
