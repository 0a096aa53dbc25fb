#include "lodgixmessagebox.h"

#include "stringtable.h"

namespace {

constexpr unsigned kCaptionString = 1003;  // "Lodgix"

}  // namespace

QMessageBox::StandardButton LodgixMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, LoadResString(kCaptionString), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton LodgixMessageBox(QWidget* parent, unsigned stringId, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons)
{
    return LodgixMessageBox(parent, LoadResString(stringId), icon, buttons);
}
