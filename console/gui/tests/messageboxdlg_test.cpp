#include "messageboxdlg.h"

#include "dialogtesting.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString LabelText(const QDialog& dialog, const char* id)
{
    auto label = dialog.findChild<QLabel*>(QLatin1StringView(id));
    return label ? label->text() : QStringLiteral("<missing>");
}

TEST(MessageBoxDlg, KnownCodesShowTheirTextBlock)
{
    const struct {
        std::uint8_t kind;
        std::uint8_t code;
        const char* title;
        int icon;
        const char* codeLine;
        const char* headline;
        const char* suggestionsStart;
        const char* closingLine;
    } cases[] = {
        {0, 4, "Pultex - Messaggio di errore", 131, "Codice errore: FF04", "Configurazione del sistema non effettuata",
         "Suggerimenti:\n\n- riavviare l'applicazione;\n- reinstallare", "L'applicazione verrà chiusa"},
        {0, 6, "Pultex - Messaggio di errore", 131, "Codice errore: FF06", "Applicazione server interrotta",
         "Suggerimenti:\n\n- riavviare l'applicazione server.", "L'applicazione verrà chiusa"},
        {2, 9, "Pultex - Messaggio di informazione", 136, "Codice errore: FF09",
         "Impossibile avviare il prodotto in modalità server",
         "Suggerimenti:\n\n- riavviare l'applicazione;\n- controllare il servizio di database;",
         "L'applicazione verrà chiusa"},
        {3, 11, "Pultex - Messaggio di attenzione", 135, "Codice warning:FF11", "Richiesta riavvio di Pultex",
         "Suggerimenti:\n\n- terminare il proprio lavoro;", ""},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.code);
        CMessageBoxDlg dialog(entry.kind, entry.code);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(entry.title));
        EXPECT_EQ(dialog.IconId(), entry.icon);
        auto icon = dialog.findChild<QLabel*>(QStringLiteral("1000"));
        ASSERT_NE(icon, nullptr);
        EXPECT_FALSE(icon->pixmap().isNull());
        EXPECT_EQ(LabelText(dialog, "1002"), QString::fromUtf8(entry.codeLine));
        EXPECT_EQ(LabelText(dialog, "1001"), QString::fromUtf8(entry.headline));
        EXPECT_TRUE(LabelText(dialog, "1003").startsWith(QString::fromUtf8(entry.suggestionsStart)));
        EXPECT_EQ(LabelText(dialog, "1004"), QString::fromUtf8(entry.closingLine));
    }
}

TEST(MessageBoxDlg, UnknownCodeShowsTitleAndIconOnly)
{
    CMessageBoxDlg dialog(CMessageBoxDlg::kKindError, 5, 7, {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_EQ(dialog.IconId(), 131);
    for (const char* id : {"1001", "1002", "1003", "1004"})
        EXPECT_TRUE(LabelText(dialog, id).isEmpty()) << id;
    // What the caller gave is kept, not shown.
    EXPECT_EQ(dialog.Extra(), 7);
    EXPECT_EQ(dialog.Texts()[1], QStringLiteral("b"));
}

TEST(MessageBoxDlg, UnknownKindHasNoTitleNorIcon)
{
    CMessageBoxDlg dialog(1, CMessageBoxDlg::kCodeNotConfigured);
    EXPECT_TRUE(dialog.windowTitle().isEmpty());
    EXPECT_EQ(dialog.IconId(), 0);
    EXPECT_EQ(LabelText(dialog, "1002"), QStringLiteral("Codice errore: FF04"));
}

TEST(MessageBoxDlg, TextsStandOnALightYellowGround)
{
    CMessageBoxDlg dialog(CMessageBoxDlg::kKindError, CMessageBoxDlg::kCodeServerModeFailed);
    dialog.show();
    const QImage picture = dialog.grab().toImage();
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(255, 255, 153));
    auto headline = dialog.findChild<QLabel*>(QStringLiteral("1001"));
    ASSERT_NE(headline, nullptr);
    EXPECT_FALSE(headline->autoFillBackground());
    const QPoint inHeadline = headline->mapTo(&dialog, QPoint(headline->width() - 2, 1));
    EXPECT_EQ(picture.pixelColor(inHeadline), QColor(255, 255, 153));
    EXPECT_TRUE(SaveScreenshot(dialog, QStringLiteral("CMessageBoxDlg-error-9")));

    CMessageBoxDlg warning(CMessageBoxDlg::kKindWarning, CMessageBoxDlg::kCodeRestartRequested);
    warning.show();
    EXPECT_TRUE(SaveScreenshot(warning, QStringLiteral("CMessageBoxDlg-warning-11")));
}

TEST(MessageBoxDlg, ButtonsEndWithOkAndCancel)
{
    for (const auto& [button, result] : {std::pair{"1005", QDialog::Accepted}, std::pair{"1006", QDialog::Rejected}}) {
        CMessageBoxDlg dialog(CMessageBoxDlg::kKindWarning, CMessageBoxDlg::kCodeRestartRequested);
        dialog.show();
        auto push = dialog.findChild<QPushButton*>(QLatin1StringView(button));
        ASSERT_NE(push, nullptr);
        QTest::mouseClick(push, Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), result);
    }
}

}  // namespace
