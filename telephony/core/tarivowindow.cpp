#include "tarivowindow.h"

#include "suiteipc.h"

bool FindTarivoWindow()
{
    return SuiteIpc::Find(SuiteIpc::Key::WindowClass, QStringLiteral("Tarivo"));
}
