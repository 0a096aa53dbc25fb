#pragma once

#include "hoteldbtest.h"
#include "pbxinitialization.h"
#include "pbxsystemconfiguration.h"

#include <QByteArray>

namespace lodgix {

// A hotel database whose engine lists PBXs with their records, as the console leaves them.
class HotelPbxTest : public HotelDbTest {
protected:
    static constexpr quint8 kExtensionCount = 8;

    // A PBX without renumbering (extension i is dialled as 201 + i) of that capacity.
    static QByteArray Initialization(quint8 capacity)
    {
        QByteArray record(PbxInitialization::kSize, '\0');
        record[1] = static_cast<char>(capacity);
        record[PbxInitialization::kExtensionCountOffset] = static_cast<char>(kExtensionCount);
        record.replace(PbxInitialization::kVersionOffset, 5, "TEST1");
        return record;
    }
    static QByteArray SystemConfiguration(quint8 bitmapByte24 = 0, quint8 byte22 = 0)
    {
        QByteArray record(PbxSystemConfiguration::kSize, '\0');
        record[22] = static_cast<char>(byte22);
        record[PbxSystemConfiguration::kExtensionBitmap1Offset] = static_cast<char>(bitmapByte24);
        return record;
    }

    // Lists the PBXs in the engine's configuration and makes their tables, as the engine's start-up does
    // (which empties the PBXs' snapshot tables); then each gets SavePbx.
    void ListPbxs(int count)
    {
        auto engine = StartEngineDatabase();
        for (int pbx = 0; pbx < count; ++pbx)
            ASSERT_EQ(engine->InsertEngineConfiguration(pbx, QStringLiteral("PBX%1").arg(pbx), 0), kNoError);
        ASSERT_EQ(engine->ConnectAndCreateSchema(kServer), kNoError) << engine->LastError().toStdString();
        Reconnect();
    }

    // The PBX's records and every extension's programming and state rows.
    void SavePbx(int pbx, quint8 capacity, const QByteArray& systemConfiguration = SystemConfiguration())
    {
        CHotelDatabase& engine = Hotel();
        ASSERT_EQ(engine.SaveInitialization(pbx, Initialization(capacity)), kNoError);
        ASSERT_EQ(engine.SaveSystemConfiguration(pbx, systemConfiguration), kNoError);
        for (int extension = 0; extension < kExtensionCount; ++extension) {
            QByteArray programming(50, '\0');
            programming[0] = 1;
            programming[1] = static_cast<char>(extension);
            ASSERT_EQ(engine.SaveDerivedProgrammation(pbx, programming), kNoError);
            const char status[] = {1, static_cast<char>(extension), 0, 0, 0, 0, 0};
            ASSERT_EQ(engine.SaveDerivedStatus(pbx, QByteArray(status, sizeof status)), kNoError);
        }
    }

    void Reconnect() { m_hotel = Connect(); }
    CHotelDatabase& Hotel() { return m_hotel ? *m_hotel : Db(); }

private:
    std::unique_ptr<CHotelDatabase> m_hotel;
};

}  // namespace lodgix
