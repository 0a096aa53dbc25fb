#pragma once

#include "engineclient.h"
#include "extensiontables.h"
#include "hoteldatabase.h"
#include "hotelrecord.h"
#include "hotelsettings.h"
#include "printsettings.h"
#include "ratingconfiguration.h"
#include "reminderthread.h"
#include "roomrecord.h"
#include "seasontable.h"

#include <QString>

#include <memory>
#include <vector>

namespace lodgix {

// The operator at the desk. The password is not kept: a change of it checks the old one against the
// database.
struct CurrentOperator {
    QString userName;
    bool administrator = false;
    int id = 0;
};

// What the hotel program keeps for its lifetime: filled by LodgixStartup, read by the windows, freed by
// Shutdown.
struct LodgixState {
    std::unique_ptr<CHotelDatabase> database;  // the GUI thread's connection
    // The reminder's database: connected once at start-up as its check; the reminder thread opens its own
    // connection with these parameters, since a QtSql connection belongs to the thread that opened it.
    std::unique_ptr<CHotelDatabase> reminderDatabase;
    QString serverName;
    std::unique_ptr<CEngineClient> engine;  // none: no engine link
    int hotelId = 0;
    HotelRecord hotel;  // the hotel's 14 texts
    int roomCount = 0;  // the rooms in use: the room table, cut to the PBXs' extension capacity
    std::vector<RoomRecord> rooms;
    SeasonTable seasons;
    CurrentOperator currentOperator;
    QString settingsFile;  // LodgixSettings.cfg, where the settings dialogs write it again
    QString dataFolder;    // the documents' and police forms' folder, with its trailing '/'
    RatingConfiguration rating;
    HotelSettings hotelSettings;
    PrintSettings printSettings;
    ExtensionTables extensions;
    std::unique_ptr<CReminderThread> reminder;  // started with the front-desk view

    // Frees what start-up took, in this order: the reminder (stopped and joined), the engine link, the PBX
    // and extension tables, the rooms, both database objects.
    void Shutdown();
};

}  // namespace lodgix
