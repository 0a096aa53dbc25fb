#pragma once

#include "loggedcall.h"

#include <optional>
#include <vector>

class CDbConnection;

// Which outgoing calls (Uscente 1) of LogCalls to read: one PBX, optionally one extension (its dialling
// number as IndiceDerivato stores it) or one line, and optionally a period of starts.
struct LoggedCallFilter {
    int pbx = 0;
    std::optional<int> extensionNumber;
    std::optional<int> line;
    const OleDate* start = nullptr;  // both ends or none
    const OleDate* end = nullptr;
    bool inclusive = true;           // whether calls starting at either end belong to the period
};

// Counts the calls in start order and, when `rows` is given, reads them into it in the same pass, so that
// the rows read are the rows counted whatever the engine stores meanwhile. Results: 0; 47 not connected;
// 53 one end of the period alone or an invalid end; otherwise the code of the failed statement or read
// (rows and count then unchanged).
int SelectLoggedCalls(CDbConnection& database, const LoggedCallFilter& filter, std::vector<LoggedCall>* rows,
                      int& count);
