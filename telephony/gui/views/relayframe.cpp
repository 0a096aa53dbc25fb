#include "relayframe.h"

CRelayFrame::CRelayFrame(QWidget* parent) : QMdiSubWindow(parent)
{
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}
