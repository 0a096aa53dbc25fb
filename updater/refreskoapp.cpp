#include "refreskoapp.h"

#include "refreskodlg.h"
#include "terminationrequest.h"

#include <QObject>

bool CRefreskoApp::InitInstance()
{
    TerminationRequest termination;
    CRefreskoDlg dialog;
    QObject::connect(&termination, &TerminationRequest::requested, &dialog, &CRefreskoDlg::OnTerminationRequested);
    if (!TerminationRequest::IsRequested())
        dialog.exec();
    return false;
}
