#include "recordingpopup.h"

#include <gtest/gtest.h>

TEST(IncomingCallPopup, FactoryMakesAPopupThatTakesTheCallStates)
{
    QStringList log;
    const IncomingCallPopupFactory factory = [&log] { return std::make_unique<RecordingPopup>(log); };
    const std::unique_ptr<IncomingCallPopup> popup = factory();
    popup->AllowPopup();
    popup->SetCallState(3, QStringLiteral("12345"), QStringLiteral("Line  1"));
    EXPECT_EQ(log, QStringList({QStringLiteral("allow"), QStringLiteral("state 3 [12345] [Line  1]")}));
}
