#pragma once

#include "printsettings.h"

#include <QDialog>

#include <array>

class CColorButton;
class CHeaderPreview;
class QCheckBox;
class QLineEdit;

// What differs between the programs that show the print options dialog: its caption, its two buttons'
// texts and whether it offers the four option boxes (header, logo, pre-printed number, page numbers)
// with their texts. String ids of the program's table.
struct PrintSettingsForm {
    unsigned title = 0;
    unsigned apply = 0;
    unsigned cancel = 0;
    bool optionBoxes = false;
    std::array<unsigned, 4> boxTexts{};  // boxes 1415-1418
    // The record's fields that the "text font" (1135) and "footer font" (1136) buttons edit: the two
    // programs print their texts and footers with the fonts at 900 and 960 the other way round.
    LogFont PrintSettings::*textFontField = &PrintSettings::textFont;
    LogFont PrintSettings::*footerFontField = &PrintSettings::footerFont;

    // The rating program's form: no option boxes.
    static PrintSettingsForm Rating();
    // The hotel program's form, with the four boxes; its text font is the one at 960, its footer font the
    // one at 900.
    static PrintSettingsForm Hotel();
};

// Dialog 135: edits a copy of a PrintSettings record (header lines with their fonts and colours, the
// margins, the title, text and footer fonts, the logo file and, in the hotel's form, the flags) with a
// live preview of the page header. Only "Applica" (after validation) ends it with Accepted; the caller
// then takes Record().
class CPrintSettingsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 135;
    static constexpr int kMaxLineCharacters = 63;
    static constexpr int kMaxMargin = 200;

    CPrintSettingsDlg(const PrintSettings& record, const PrintSettingsForm& form, QWidget* parent = nullptr);

    const PrintSettings& Record() const { return m_record; }
    CHeaderPreview* Preview() const { return m_preview; }

    // The handlers of the controls (tests call them as the buttons do).
    void OnApply();
    void OnHeaderLineEdited(int line);
    void OnColour(int line);
    void OnFont(LogFont& font, bool repaintPreview);
    void OnBrowse();
    // Validates every field; false (with a message naming the fault) when one is out of its range.
    bool Validate();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RepaintPreview();

    PrintSettings m_record;
    PrintSettingsForm m_form;
    std::array<QLineEdit*, PrintSettings::kHeaderLineCount> m_lines{};
    std::array<CColorButton*, PrintSettings::kHeaderLineCount> m_colours{};
    std::array<QCheckBox*, 4> m_boxes{};
    QLineEdit* m_leftMargin = nullptr;
    QLineEdit* m_topMargin = nullptr;
    QLineEdit* m_logoPath = nullptr;
    CHeaderPreview* m_preview = nullptr;
};
