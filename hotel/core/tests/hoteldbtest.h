#pragma once

#include "dbtest.h"
#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "hoteltablesetup.h"

#include <memory>

namespace lodgix {

// A hotel database on a catalog of its own, on each backend.
class HotelDbTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        StartEngineDatabase();  // the catalog and the engine's configuration table, as the console leaves them
        m_database = Connect();
    }

    std::unique_ptr<CHotelDatabase> Connect()
    {
        auto database = std::make_unique<CHotelDatabase>(Parameters());
        EXPECT_EQ(database->Connect(kServer), kNoError) << database->LastError().toStdString();
        return database;
    }

    CHotelDatabase& Db() { return *m_database; }

    // The tables start-up makes before a hotel exists, then one hotel and its own tables; its id.
    int PrepareHotel(const QString& name = QStringLiteral("Hotel Aurora"))
    {
        EXPECT_EQ(Db().EnsureGlobalTable(HotelTable::kOperators), kNoError);
        EXPECT_EQ(CreateMasterTables(Db()), kNoError) << Db().LastError().toStdString();
        EXPECT_EQ(Db().EnsureGlobalTable(HotelTable::kHotelConfiguration), kNoError);
        HotelRecord hotel;
        hotel.name = name;
        int id = 0;
        EXPECT_EQ(Db().InsertHotel(hotel, 0, id), kNoError) << Db().LastError().toStdString();
        EXPECT_EQ(CreateHotelTables(Db(), id), kNoError) << Db().LastError().toStdString();
        EXPECT_EQ(Db().RecreateRoomTable(id), kNoError);
        return id;
    }

    // A table's column names in their order, in lower case (PostgreSQL folds them).
    QStringList TableColumns(const QString& table)
    {
        const QString sql = GetParam() == DbBackend::kSqlite
                                ? QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid")
                                : QStringLiteral("SELECT column_name AS name FROM information_schema.columns "
                                                 "WHERE table_schema = current_schema() AND table_name = lower(?) "
                                                 "ORDER BY ordinal_position");
        QStringList names;
        EXPECT_EQ(Db().OpenRecordset(sql, {table}), kNoError);
        while (!Db().IsEof()) {
            QString name;
            double number = 0;
            Db().GetFieldValue(QStringLiteral("name"), name, number);
            names << name.toLower();
            Db().MoveNext();
        }
        Db().CloseRecordset();
        return names;
    }

    // The names of a run of the column table, in lower case.
    static QStringList RunNames(ColumnRun columns)
    {
        QStringList names;
        for (const ColumnDefinition& column : columns)
            names << QString::fromLatin1(column.name).toLower();
        return names;
    }

    // One number a query returns.
    int Count(const QString& sql, const QVariantList& values = {})
    {
        EXPECT_EQ(Db().OpenRecordset(sql, values), kNoError) << sql.toStdString();
        QString text;
        double number = -1;
        if (!Db().IsEof())
            Db().GetFieldValue(QStringLiteral("n"), text, number);
        Db().CloseRecordset();
        return static_cast<int>(number);
    }

private:
    std::unique_ptr<CHotelDatabase> m_database;
};

}  // namespace lodgix
