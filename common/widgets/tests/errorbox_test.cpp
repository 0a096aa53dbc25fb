#include "errorbox.h"

#include "language.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(ErrorBox, TextCarriesTheCodeLabelCodeAndDetail)
{
    SetLanguage(kLanguageItalian);
    EXPECT_EQ(ErrorBoxText(QStringLiteral("Connessione fallita"), 43, QStringLiteral("Server: srv1")),
              QStringLiteral("Connessione fallita\nCodice errore del programma:  43\nServer: srv1"));
    EXPECT_EQ(ErrorBoxText(QString(), 255, QString()), QStringLiteral("\nCodice errore del programma:  255\n"));
    // A program that keeps the label under another id names it.
    EXPECT_EQ(ErrorBoxText(QStringLiteral("Errore"), 138, QStringLiteral("Chiusura"), 10013),
              QStringLiteral("Errore\nEtichetta di un altro programma 138\nChiusura"));
}

TEST(ErrorBox, ShowsACriticalBoxWithoutOwnerUntilClosed)
{
    QString seenCaption;
    QString seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    bool hadParent = true;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenCaption = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        hadParent = box->parentWidget() != nullptr;
        box->accept();
    });
    ShowErrorBox(QStringLiteral("Pultex"), QStringLiteral("Errore"), 5, QStringLiteral("dettaglio"));
    EXPECT_EQ(seenCaption, QStringLiteral("Pultex"));
    EXPECT_TRUE(seenText.startsWith(QStringLiteral("Errore\n")));
    EXPECT_TRUE(seenText.endsWith(QStringLiteral(" 5\ndettaglio")));
    EXPECT_EQ(seenIcon, QMessageBox::Critical);
    EXPECT_FALSE(hadParent);
}

}  // namespace
