#include "eventlistdlg.h"

namespace {

// The caption of each list type: wake-up events, calls, alarms, operator messages, notes.
constexpr unsigned kCaptions[] = {1011, 1010, 1019, 10902, 10901};

unsigned Caption(int listType)
{
    return listType >= 0 && listType < 5 ? kCaptions[listType] : kCaptions[1];
}

}  // namespace

CEventListDlg::CEventListDlg(int listType, int extension, int option, int secondOption, const OleDate& reference,
                             const ConsoleWindowContext& context, QWidget* parent)
    : CPlaceholderDialog(QStringLiteral("CEventListDlg"), Caption(listType), context, parent), m_listType(listType),
      m_extension(extension), m_option(option), m_secondOption(secondOption), m_reference(reference)
{
}
