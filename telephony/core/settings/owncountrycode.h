#pragma once

#include <QString>

// The country code of this workstation's telephone location (Registry.ini [Telephony] CountryCode); "39"
// when none is set or it is empty. `iniFile` empty: the suite's Registry.ini.
QString OwnCountryCode(const QString& iniFile = {});
