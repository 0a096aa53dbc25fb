#include "instanceslots.h"

#include "productregistry.h"

const QString kCarriedPackageName = QStringLiteral("SqlRun01.Msi");

const std::array<InstanceSlot, kInstanceSlotCount>& InstanceSlotTable()
{
    // Slots 1, 2, 8 and 16 carry the engine's public codes; the others are fixed codes of this suite's
    // own engine packages.
    static const std::array<InstanceSlot, kInstanceSlotCount> kTable{{
        {QStringLiteral("SqlRun01.msi"), QStringLiteral("{E09B48B5-E141-427A-AB0C-D3605127224A}"),
         QStringLiteral("{D29DCF7A-8199-4373-BA0D-2F3635EC940C}")},
        {QStringLiteral("SqlRun02.msi"), QStringLiteral("{689404D2-1C94-44B3-9203-BEC5594FDA7A}"),
         QStringLiteral("{741C0CE6-E272-409D-B3F0-20635C29FA35}")},
        {QStringLiteral("SqlRun03.msi"), QStringLiteral("{6941DE2C-962F-4672-961F-78BEF8935198}"),
         QStringLiteral("{86229C00-290D-4CC0-BE75-517D8E9C2C06}")},
        {QStringLiteral("SqlRun04.msi"), QStringLiteral("{15CFCA2D-4B31-449B-AAA2-E8C7F91B4010}"),
         QStringLiteral("{2D0571F7-6514-4EA1-AFAE-4893983049EA}")},
        {QStringLiteral("SqlRun05.msi"), QStringLiteral("{0F66011A-6A31-406F-A9FA-D0D1BE1791E3}"),
         QStringLiteral("{DCA67EBE-45AF-45D1-A5E3-97848504A026}")},
        {QStringLiteral("SqlRun06.msi"), QStringLiteral("{F2071CEB-B668-4EB6-8BC1-1BC48ECFD9B7}"),
         QStringLiteral("{488F5394-9D93-43B1-9F24-B66E204C782B}")},
        {QStringLiteral("SqlRun07.msi"), QStringLiteral("{40CF2C46-C357-4CA5-ADAC-93FC13648A0B}"),
         QStringLiteral("{8D342270-8B64-4B09-9C75-828AE0A7C28C}")},
        {QStringLiteral("SqlRun08.msi"), QStringLiteral("{C5B59406-E985-4187-84E8-68E2D9F89A47}"),
         QStringLiteral("{57C789CF-0B45-4F99-B7AF-734ADA28420C}")},
        {QStringLiteral("SqlRun09.msi"), QStringLiteral("{4888C105-3CC2-4F50-8670-294B0CFF518A}"),
         QStringLiteral("{2ED13E7B-48A1-41DE-8D3D-7F6720BAE25D}")},
        {QStringLiteral("SqlRun10.msi"), QStringLiteral("{FA28D2B4-C254-49D5-BBA9-3A26DA7EEE7C}"),
         QStringLiteral("{299162B8-35CA-4FB4-9C23-9B9038981563}")},
        {QStringLiteral("SqlRun11.msi"), QStringLiteral("{C2275B32-C655-46F6-A38F-443041DCA856}"),
         QStringLiteral("{174FBAF3-439E-4FBD-8D97-CC12C9E62FD0}")},
        {QStringLiteral("SqlRun12.msi"), QStringLiteral("{2D439CE1-1E85-4EC9-A18B-2E54670DABC5}"),
         QStringLiteral("{DF58AD3E-0910-4B3D-8C67-C765827E8AF7}")},
        {QStringLiteral("SqlRun13.msi"), QStringLiteral("{7E99031B-DA2D-4A30-8886-26D20BE969EA}"),
         QStringLiteral("{2676B08C-C58D-409A-A65D-F51A219789C4}")},
        {QStringLiteral("SqlRun14.msi"), QStringLiteral("{688E4FE8-D889-4B88-8247-E14C1C7F02A1}"),
         QStringLiteral("{D205AB97-1840-4C29-B3E3-36817E2A55C9}")},
        {QStringLiteral("SqlRun15.msi"), QStringLiteral("{00DE1391-B312-4178-A685-EDEABCC21B35}"),
         QStringLiteral("{2606F21A-18B4-4967-FD7C-1EC0B0F70514}")},
        {QStringLiteral("SqlRun16.msi"), QStringLiteral("{CD59EA85-6CBF-4C08-BE59-6C628B3D8F54}"),
         QStringLiteral("{BA4D78E5-C374-4DA0-8C1C-C6EE7AD1EDD3}")},
    }};
    return kTable;
}

bool IsInstanceSlotTaken(const ProductRegistry& registry, int slot)
{
    return slot >= 1 && slot <= kInstanceSlotCount
        && registry.IsProductRegistered(InstanceSlotTable()[static_cast<std::size_t>(slot - 1)].productCode);
}

void GetInstanceSlotInfo(int slot, QString& productCode, QString& packageCode, QString& fileName)
{
    if (slot < 1 || slot > kInstanceSlotCount)
        return;
    const InstanceSlot& row = InstanceSlotTable()[static_cast<std::size_t>(slot - 1)];
    productCode = row.productCode;
    packageCode = row.packageCode;
    fileName = row.fileName;
}

int FindFreeInstanceSlot(const ProductRegistry& registry)
{
    for (int slot = 1; slot <= kInstanceSlotCount; ++slot) {
        if (!IsInstanceSlotTaken(registry, slot))
            return slot;
    }
    return 0;
}
