#pragma once

#include <QString>
#include <QWidget>

class CGlobalConfiguration;
class QComboBox;
class QPushButton;
class QTreeWidget;

// A label page of the sheet: the objects of one kind of the chosen PBX with their stored labels, each
// changed through the label dialog and stored at once. Kinds: 1 extensions, 2 external lines, 3 entry
// phones, 255 alarms (by extension), 4 relays.
class CSystemLabel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kExtensions = 1;
    static constexpr int kLines = 2;
    static constexpr int kEntryPhones = 3;
    static constexpr int kRelays = 4;
    static constexpr int kAlarms = 255;

    CSystemLabel(CGlobalConfiguration& sheet, int kind, QWidget* parent = nullptr);

    int Kind() const { return m_kind; }
    // The tab's title: "Etichette" and the kind's name.
    QString Title() const;

private:
    void Refill();
    void ModifyLabel();
    QString StoredLabel(int pbx, int index) const;
    int SaveLabel(int pbx, int index, const QString& text) const;

    CGlobalConfiguration& m_sheet;
    const int m_kind;
    QComboBox* m_pbxCombo;
    QTreeWidget* m_list;
    QPushButton* m_modify;
};
