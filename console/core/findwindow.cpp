#include "findwindow.h"

bool FindPultexWindow() { return SuiteIpc::Find(SuiteIpc::Key::WindowClass, kPultexClass); }
bool FindSimulvexWindow() { return SuiteIpc::Find(SuiteIpc::Key::WindowClass, kSimulvexClass); }
bool FindRefreskoWindow() { return SuiteIpc::Find(SuiteIpc::Key::WindowTitle, kRefreskoTitle); }
bool FindFonivraWindow() { return SuiteIpc::Find(SuiteIpc::Key::WindowTitle, kFonivraTitle); }

std::unique_ptr<SuiteIpc::Registration> RegisterPultexWindow(MessageTarget& target)
{
    return SuiteIpc::Register(SuiteIpc::Key::WindowClass, kPultexClass, target);
}

bool PostToPultexWindow(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    return SuiteIpc::Post(SuiteIpc::Key::WindowClass, kPultexClass, message, wParam, lParam);
}
