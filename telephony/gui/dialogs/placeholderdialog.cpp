#include "placeholderdialog.h"

#include "stringtable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CPlaceholderDialog::CPlaceholderDialog(const QString& objectName, unsigned captionString, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(LoadResString(captionString));
    auto buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadResString(kCancelButtonString));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(buttons);
}
