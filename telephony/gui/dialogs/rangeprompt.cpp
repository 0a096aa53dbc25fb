#include "rangeprompt.h"

#include "stringtable.h"

#include <QLineEdit>
#include <QMessageBox>

namespace {

constexpr unsigned kProgramCaption = 1004;
constexpr unsigned kRangeText = 19100;

}  // namespace

void ShowRangePrompt(QWidget* window, int minimum, int maximum)
{
    QMessageBox::warning(window, LoadResString(kProgramCaption), LoadResString(kRangeText).arg(minimum).arg(maximum));
}

bool CheckRange(QLineEdit& field, int minimum, int maximum, int& value, bool prompt)
{
    bool ok = false;
    const int read = field.text().trimmed().toInt(&ok);
    if (ok && read >= minimum && read <= maximum) {
        value = read;
        return true;
    }
    if (!prompt)
        return false;
    ShowRangePrompt(field.window(), minimum, maximum);
    field.setFocus();
    field.selectAll();
    return false;
}
