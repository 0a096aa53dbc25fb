#pragma once

#include <QString>

// Which database this workstation uses: the embedded SQLite file of a single workstation, or a shared
// PostgreSQL server. Kept in the [Database] group of the installation store.
struct DatabaseSettings {
    enum class Backend { Sqlite, PostgreSql };
    static constexpr int kDefaultPostgresPort = 5432;

    Backend backend = Backend::Sqlite;
    QString file;      // SQLite file; empty means DefaultSqliteFile()
    QString host;      // PostgreSQL host; empty means the server name of the installation
    int port = kDefaultPostgresPort;
    QString user;
    QString password;
    QString catalog;   // PostgreSQL catalog; empty means "corvanti"

    static QString DefaultSqliteFile();  // <suite>/Data/Corvanti.sqlite
    QString SqliteFile() const { return file.isEmpty() ? DefaultSqliteFile() : file; }

    friend bool operator==(const DatabaseSettings&, const DatabaseSettings&) = default;
};
