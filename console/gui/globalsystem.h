#pragma once

#include <QWidget>

#include <cstdint>

class CGlobalConfiguration;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The sheet's "Sistema" page: the PBX and extension bound to this workstation, the update interval, the
// general configuration at the next start, the operator console's start, the protection, the language
// and the change of the access password.
class CGlobalSystem : public QWidget {
    Q_OBJECT
public:
    // The interval combo's entries, in their order, as days.
    static constexpr std::uint8_t kIntervals[] = {0, 7, 14, 30, 255};
    static inline const QString kFailText = QStringLiteral("FAIL");

    explicit CGlobalSystem(CGlobalConfiguration& sheet, QWidget* parent = nullptr);

    // OK: takes the page's choices into the sheet and saves the engine settings file at once.
    // False, with the error box shown, when the engine settings file cannot be written: the sheet stays open.
    bool Apply();
    // The interval combo's entry for a stored interval: any other value than 0, 7, 14, 30 shows "Mai".
    static int IntervalEntry(std::uint8_t days);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillPbxCombo();
    void OnPbxChanged(int index);
    void FillExtensionCombo(int pbx);
    void ChangePassword();

    CGlobalConfiguration& m_sheet;
    QComboBox* m_pbxCombo;
    QComboBox* m_extensionCombo;
    QComboBox* m_intervalCombo;
    QCheckBox* m_nextStartCheck;
    QCheckBox* m_operatorConsoleCheck;
    QComboBox* m_protectionCombo;
    QComboBox* m_languageCombo;
    QLineEdit* m_oldPassword;
    QLineEdit* m_newPassword;
    QLineEdit* m_repeatedPassword;
    bool m_filling = false;
};
