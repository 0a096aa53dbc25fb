#pragma once

#include <QString>

// Where the suite's catalog lives. SQLite (one file, one workstation) is the default; PostgreSQL serves
// several workstations. The programs fill it from the [Database] group of the installation store.
enum class DbBackend { kSqlite, kPostgres };

inline constexpr char kDefaultCatalogFile[] = "Data/Corvanti.sqlite";  // under the suite folder
inline constexpr char kDefaultPostgresDatabase[] = "corvanti";
inline constexpr int kDefaultPostgresPort = 5432;

struct DbParameters {
    DbBackend backend = DbBackend::kSqlite;
    QString file;      // SQLite: the catalog file
    QString host;      // PostgreSQL: host name or socket folder; empty = the server name given at connection
    int port = kDefaultPostgresPort;
    QString user;
    QString password;
    QString database = QString::fromLatin1(kDefaultPostgresDatabase);  // PostgreSQL: the catalog
};

// SQLite in <suite>/Data/Corvanti.sqlite.
DbParameters DefaultDbParameters();
