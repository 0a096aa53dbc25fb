#pragma once

#include "guestrecord.h"
#include "lodgixdialog.h"

#include <vector>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace lodgix {

class CHotelDatabase;

// A customer: the register's texts, the date of birth and the customer's agreement, chosen among the
// stored ones. OK needs every field marked required; the caller stores Record(). Used by the registry
// and by the booking and check-in dialogs.
class CGuestDataDlg : public CLodgixDialog {
    Q_OBJECT
public:
    static constexpr int kName = 1056;
    static constexpr int kDocumentType = 1079;
    static constexpr int kBirthDate = 1081;
    static constexpr int kConvention = 1414;
    static constexpr int kOk = 1086;
    static constexpr int kCancel = 1087;
    static constexpr int kTextLength = 63;

    // A record without a date of birth starts on 1 January 1980.
    CGuestDataDlg(const GuestRecord& guest, CHotelDatabase& database, QWidget* parent = nullptr);

    const GuestRecord& Record() const { return m_guest; }

private:
    struct Field {
        int edit;
        int label;
        unsigned text;
        bool required;
        QString GuestRecord::*member;
    };
    static const std::vector<Field>& Fields();
    void FillConventions(CHotelDatabase& database);
    void OnOk();

    GuestRecord m_guest;
    std::vector<std::pair<QLineEdit*, const Field*>> m_edits;
    QComboBox* m_documentType;
    QDateEdit* m_birthDate;
    QComboBox* m_convention;
};

}  // namespace lodgix
