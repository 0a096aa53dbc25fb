#include "prefixdlgs.h"

#include "prefixentry.h"
#include "prefixgroup.h"

namespace {
constexpr int kLabelLength = PrefixEntry::kLabelWidth - 1;    // 63
constexpr int kNumberLength = PrefixEntry::kNumberWidth - 1;  // 15
constexpr int kGroupNameLength = PrefixGroup::kNameWidth - 1;  // 63
constexpr unsigned kGroupLabelText = 1159;
}  // namespace

CPrefixDlg::CPrefixDlg(QWidget* parent)
    : CTextFieldsDlg(kDialogId, 1146, {{1092, 1153, 1090, kLabelLength}, {1093, 1154, 1091, kNumberLength}}, 1, 2,
                     parent)
{
}

CPrefixGroupDlg::CPrefixGroupDlg(QWidget* parent)
    : CTextFieldsDlg(kDialogId, 1158,
                     {{1097, kGroupLabelText, 1098, kGroupNameLength},
                      {1100, 1156, 1099, kLabelLength},
                      {1102, 1157, 1101, kNumberLength}},
                     1, 2, parent)
{
}

CPrefixGroupLabelDlg::CPrefixGroupLabelDlg(QWidget* parent)
    : CTextFieldsDlg(kDialogId, 1163, {{1105, kGroupLabelText, 1106, kGroupNameLength}}, 1107, 1108, parent)
{
}
