#pragma once

#include "oledate.h"

#include <QDialog>

#include <cstdint>

class QLocale;

class QDateEdit;
class QTimeEdit;

// Dialog 131: sets one bound of a period. The purpose (0-5) chooses the caption: start or end of a
// listing, an analysis or an account. The caller sets both values to the bound before showing it and
// on OK builds the new bound with Combined().
class CDateTimeDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 131;

    CDateTimeDlg(std::uint8_t purpose, QWidget* parent = nullptr);

    // The string id of a purpose's caption.
    static unsigned TitleString(std::uint8_t purpose);
    // The date field's format in `locale`: its short date with a four-digit year.
    static QString DateFormat(const QLocale& locale);
    // The year, month and day of the date value with the hour, minute and second of the time value.
    OleDate Combined() const;

    OleDate m_date;
    OleDate m_time;

protected:
    void showEvent(QShowEvent* event) override;
    void accept() override;

private:
    QDateEdit* m_datePicker = nullptr;
    QTimeEdit* m_timePicker = nullptr;
};
