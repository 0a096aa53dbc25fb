#pragma once

#include "tariffrecord.h"

#include <QDialog>

#include <array>

class CNumericEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

// Dialog 132: edits a copy of one tariff and its percentage variation: name, type, pulse cost, answer
// charge, the bands of the seven kinds of day (a double click on a day's list enters them band by band
// with dialog 133), a copy of one day's bands onto others, and the variation. The caller stores the copy
// after OK. The pulse-counter form (the PBX pulse tariff) keeps only the name, type, pulse cost and
// answer charge, and shrinks to them.
class CTariffDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 132;
    static constexpr int kFirstDayList = 1026;  // day d: list 1026 + 2d, its label 1027 + 2d

    // Without a tariff the copy starts as the empty tariff; without a variation at 0.
    CTariffDlg(const TariffRecord* tariff, const double* variation, bool nameEditable, bool pulseCounterForm,
               QWidget* parent = nullptr);

    const TariffRecord& Tariff() const { return m_tariff; }
    double Variation() const { return m_variation; }

    // Enters the bands of day `day` (0 Monday ... 6 holidays) band after band; Cancel leaves the day.
    void EditDayBands(int day);

    // The text of a band in a day list: "h:mm - h:mm".
    static QString BandTimes(const TariffBand& band);

protected:
    void accept() override;

private:
    QWidget* BuildDataGroup(bool nameEditable);
    QWidget* BuildDayLists();
    QWidget* BuildCopyGroup();
    QWidget* BuildVariationGroup();
    void Refresh();
    void FillDayList(int day);
    void OnTypeChosen();
    void OnCopyBands();
    bool IsPulseTariff() const { return m_tariff.IsPulseTariff(); }

    TariffRecord m_tariff;
    double m_variation = 0.0;

    QLineEdit* m_name = nullptr;          // 1043
    QComboBox* m_type = nullptr;          // 1017
    CNumericEdit* m_pulseCost = nullptr;  // 1018, cents
    CNumericEdit* m_covered = nullptr;    // 1021, seconds
    CNumericEdit* m_answer = nullptr;     // 1023, cents
    QWidget* m_days = nullptr;            // label 1040 and the day lists
    std::array<QLabel*, TariffRecord::kDayCount> m_dayLabels{};
    std::array<QTableWidget*, TariffRecord::kDayCount> m_dayLists{};
    QGroupBox* m_copyGroup = nullptr;     // 1053
    QComboBox* m_copyFrom = nullptr;      // 1051
    QComboBox* m_copyTo = nullptr;        // 1052
    QGroupBox* m_variationGroup = nullptr;  // 1059
    QComboBox* m_variationSign = nullptr;   // 1045
    CNumericEdit* m_variationPercent = nullptr;  // 1057
};
