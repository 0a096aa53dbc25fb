#include "textfieldsdlg.h"

#include "dialogparts.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

CTextFieldsDlg::CTextFieldsDlg(int dialogId, unsigned titleId, std::initializer_list<Field> fields, int okId,
                               int cancelId, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QString::number(dialogId));
    setWindowTitle(LoadResString(titleId));
    auto form = new QFormLayout;
    for (const Field& field : fields) {
        auto edit = NamedControl(new QLineEdit, field.editId);
        edit->setMaxLength(field.maxLength);
        edit->setMinimumWidth(220);
        form->addRow(NamedControl(new QLabel(LoadResString(field.textId)), field.labelId), edit);
        m_edits.push_back(edit);
    }
    auto layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(OkCancelRow(this, okId, cancelId));
}

QString CTextFieldsDlg::Text(int field) const
{
    return m_edits.at(static_cast<std::size_t>(field))->text();
}

void CTextFieldsDlg::SetText(int field, const QString& text)
{
    m_edits.at(static_cast<std::size_t>(field))->setText(text);
}

void CTextFieldsDlg::accept()
{
    if (std::any_of(m_edits.begin(), m_edits.end(), [](const QLineEdit* edit) { return edit->text().isEmpty(); }))
        return;
    QDialog::accept();
}
