#pragma once

#include "operatorsettingsrecords.h"
#include "placeholderdialog.h"

// The settings property sheet over copies of the five settings records; OK means the copies were edited
// and are to be taken over. The sheet proper comes later: this one answers cancel.
class CSystemConfiguration : public CPlaceholderDialog {
    Q_OBJECT
public:
    CSystemConfiguration(unsigned captionString, OperatorSettingsRecords* records,
                         const ConsoleWindowContext& context, QWidget* parent = nullptr, int firstPage = 0)
        : CPlaceholderDialog(QStringLiteral("CSystemConfiguration"), captionString, context, parent), m_records(records),
          m_firstPage(firstPage)
    {
    }
    OperatorSettingsRecords* Records() const { return m_records; }
    int FirstPage() const { return m_firstPage; }

private:
    OperatorSettingsRecords* m_records;
    int m_firstPage;
};
