#include "consolelogintexts.h"

#include "stringtable.h"

namespace {

constexpr unsigned kProgramNameString = 1004;
constexpr unsigned kExitString = 1056;
constexpr unsigned kEmptyFieldString = 1269;
constexpr unsigned kPasswordString = 1270;
constexpr unsigned kUserNameString = 1271;
constexpr unsigned kTitleString = 1272;

}  // namespace

CLoginDlg::Texts ConsoleLoginTexts()
{
    return {LoadResString(kTitleString),      LoadResString(kUserNameString),   LoadResString(kPasswordString),
            LoadResString(kExitString),       LoadResString(kEmptyFieldString), LoadResString(kProgramNameString)};
}
