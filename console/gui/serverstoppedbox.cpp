#include "serverstoppedbox.h"

#include "messageboxdlg.h"

void ShowServerStoppedBox(QWidget* parent)
{
    CMessageBoxDlg box(CMessageBoxDlg::kKindError, CMessageBoxDlg::kCodeServerStopped, 0, {}, parent);
    box.exec();
}
