// The call-contact dialog over the catalog of both backends, calling through the engine into Simulvex.
#include "callcontactdlg.h"

#include "contactdialogsfixture.h"
#include "pbxdisplaynames.h"
#include "pbxframebuilders.h"

#include <QComboBox>
#include <QPushButton>

#include <array>
#include <span>

namespace {

using namespace consolewindows;

class CallContactDlgTest : public ContactDialogsTest {
protected:
    static QString Hex(std::span<const std::uint8_t> bytes)
    {
        return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex());
    }
    // The frames of an off-hook of our extension and of each character dialled, in order.
    static QStringList CallFrames(const QString& dialled)
    {
        std::array<std::uint8_t, 64> frame{};
        QStringList frames{Hex(std::span(frame).first(BuildOffHookFrame(frame.data(), kOwnExtension)))};
        for (char c : dialled.toStdString())
            frames << Hex(std::span(frame).first(BuildDigitsFrame(frame.data(), kOwnExtension, std::string(1, c))));
        return frames;
    }
};

TEST_P(CallContactDlgTest, ACallOnTheSecondLineReachesThePbx)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Rossi"), QStringLiteral("0612")), false, false);
    Store(Contact(QStringLiteral("Senza Numeri")), true, true, kOtherComputer);
    CCallContactDlg dialog(m_context);
    dialog.show();
    auto number = Find<QComboBox>(dialog, CCallContactDlg::kNumber);
    auto call = Find<QPushButton>(dialog, CCallContactDlg::kCall);
    auto line = Find<QComboBox>(dialog, CCallContactDlg::kLine);
    EXPECT_EQ(Find<QComboBox>(dialog, CCallContactDlg::kBook)->currentIndex(), 2);  // both books
    ASSERT_EQ(line->count(), m_model.lines + 1);
    EXPECT_EQ(line->itemText(0), "Automatico");
    EXPECT_EQ(line->itemText(2), FormatLineName(m_state, m_context.labels, 1));
    dialog.OnSearch();
    ASSERT_EQ(dialog.List().ItemCount(), 2);
    EXPECT_FALSE(number->isEnabled());
    EXPECT_FALSE(call->isEnabled());

    // A contact without numbers: an empty combo, "Chiama" enabled, and a call that does nothing.
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    Select(dialog.List(), {1});
    EXPECT_EQ(number->count(), 0);
    EXPECT_TRUE(call->isEnabled());
    MessageBoxRecorder none;
    call->click();
    EXPECT_TRUE(none.Seen().empty());
    EXPECT_FALSE(Simulvex(QStringLiteral("frames")).contains(CallFrames({})[0], Qt::CaseInsensitive));

    // Rossi on the second line: off-hook, the line's access code and the number.
    Select(dialog.List(), {0});
    ASSERT_EQ(number->count(), 1);
    EXPECT_EQ(number->currentText(), "0612");
    line->setCurrentIndex(2);
    const QString accessCode = FormatLineAccessCode(m_state, 2);
    EXPECT_EQ(accessCode, "602");
    call->click();
    EXPECT_TRUE(dialog.isVisible());
    const QString frames = Simulvex(QStringLiteral("frames"));
    qsizetype at = 0;
    for (const QString& hex : CallFrames(accessCode + QStringLiteral("0612"))) {
        at = frames.indexOf(hex, at, Qt::CaseInsensitive);
        ASSERT_GE(at, 0) << hex.toStdString() << " in " << frames.toStdString();
    }
}

TEST_P(CallContactDlgTest, ABusyBoundExtensionRefusesOnEveryLine)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Rossi"), QStringLiteral("0612")), false, false);
    ASSERT_EQ(Simulvex(QStringLiteral("offhook %1").arg(kOwnExtension)).left(2), QStringLiteral("OK"));
    for (int i = 0; i < 5 && m_state.tables.extensionStatus[kOwnExtension].State() == kStateReady; ++i)
        DispatchReceived(1);
    ASSERT_NE(m_state.tables.extensionStatus[kOwnExtension].State(), kStateReady);
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));

    CCallContactDlg dialog(m_context);
    dialog.show();
    dialog.OnSearch();
    Select(dialog.List(), {0});
    auto line = Find<QComboBox>(dialog, CCallContactDlg::kLine);
    for (int choice : {0, 1, 2, m_model.lines}) {
        line->setCurrentIndex(choice);
        MessageBoxRecorder boxes;
        Find<QPushButton>(dialog, CCallContactDlg::kCall)->click();
        ASSERT_EQ(boxes.Seen().size(), 1u) << choice;
        EXPECT_EQ(boxes.Seen()[0].text, "Interno associato o linea richiesta non disponibile") << choice;
        EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical) << choice;
    }
    EXPECT_FALSE(Simulvex(QStringLiteral("frames")).contains(CallFrames({})[0], Qt::CaseInsensitive));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_P(CallContactDlgTest, ShowsWholeInBothLanguages)
{
    if (!Start())
        return;
    Store(Contact(QStringLiteral("Rossi"), QStringLiteral("0612")), false, false);
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const bool english = language == kLanguageEnglish;
        CCallContactDlg dialog(m_context);
        EXPECT_EQ(dialog.windowTitle(), english ? "Call contact" : "Chiama contatto");
        EXPECT_EQ(dialog.List().columnCount(), 19);
        dialog.show();
        dialog.OnSearch();
        Select(dialog.List(), {0});
        ShowAndShoot(dialog, QStringLiteral("callcontactdlg_") + (english ? "en" : "it"));
    }
}

INSTANTIATE_CONSOLE_WINDOWS_TEST(CallContactDlgTest);

}  // namespace
