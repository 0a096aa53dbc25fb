#pragma once

class EngineViewHost;
class QWidget;

// What a double-click on a service of the status board opens, by the service's item code: the engine's
// configuration for "Engine", the TAPI settings for "Tapi Driver" (when the console keeps contacts). Other
// codes open nothing.
void OpenServiceSettings(int itemCode, EngineViewHost& host, QWidget* parent);

// The engine's configuration: the access password first when the configuration is protected (a wrong or
// cancelled one shows "Password di accesso non valida" and opens nothing), then the configuration sheet,
// whose values are taken over when it ends with OK. True when they were.
bool OpenEngineConfiguration(EngineViewHost& host, QWidget* parent);
