#pragma once

#include "dialleddigitsrecorder.h"
#include "sqldatabase.h"

// The digits a window dials are noted as the extension's dialled digits in the database.
class DatabaseDigits : public DialledDigitsRecorder {
public:
    explicit DatabaseDigits(CSqlDatabase* database) : m_database(database) {}
    void AppendDialledDigits(std::uint8_t pbx, std::uint8_t extension, const QString& digits) override
    {
        if (m_database)
            m_database->AppendDialledDigits(pbx, extension, digits);
    }

private:
    CSqlDatabase* m_database;
};
