#include "findwindow.h"

#include "suiteipc.h"

bool FindRefreskoWindow() { return SuiteIpc::Find(SuiteIpc::Key::WindowTitle, kRefreskoTitle); }
