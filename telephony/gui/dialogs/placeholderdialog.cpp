#include "placeholderdialog.h"

#include "stringtable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CPlaceholderDialog::CPlaceholderDialog(const QString& objectName, unsigned captionString,
                                       const ConsoleWindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(objectName);
    setWindowTitle(LoadResString(captionString));
    auto buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadResString(kCancelButtonString));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(buttons);
}
