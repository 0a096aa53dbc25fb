#pragma once

#include "dbparameters.h"

struct DatabaseSettings;

// The connection parameters of the database that the installation store names: the SQLite file of this
// workstation, or the shared PostgreSQL server (catalog "corvanti" unless the store names another).
DbParameters DbParametersFor(const DatabaseSettings& settings);
