#pragma once

class QWidget;

// Tells a client workstation's user that the engine server stopped: CMessageBoxDlg kind 0 (error), code
// 6, shown modally; returns when the user closed it.
void ShowServerStoppedBox(QWidget* parent);
