// The hotel program's main frame: its menu, where its commands and Ctrl keys go, the bars, the about box,
// and how it shows in each language.
#include "mainframe.h"

#include "clippedtextcheck.h"
#include "language.h"
#include "lockkeys.h"
#include "lodgixaboutdlg.h"
#include "lodgixstate.h"
#include "lodgixview.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QLayout>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Received {
    std::uint32_t message;
    std::uint64_t wParam;
    bool operator==(const Received&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Received& r)
{
    return os << "{" << r.message << ", " << r.wParam << "}";
}

// A frame with its view, a field in the view, and what the view received.
struct FrameFixture {
    FrameFixture()
    {
        view = new CLodgixView(state);
        field = new QLineEdit(view);
        field->setObjectName(QStringLiteral("field"));
        view->layout()->addWidget(field);
        frame.SetView(view);
        frame.LocaliseMenu();
        QObject::connect(view, &CLodgixView::MessageReceived,
                         [this](std::uint32_t message, std::uint64_t wParam, std::int64_t) { received.push_back({message, wParam}); });
        frame.show();
        field->setFocus();
        QApplication::setActiveWindow(&frame);
    }

    // Lets the posted messages arrive.
    void Deliver() { QCoreApplication::processEvents(); }

    lodgix::LodgixState state;  // no hotel: the view only receives
    CMainFrame frame;
    CLodgixView* view;
    QLineEdit* field;
    std::vector<Received> received;
};

// A menu as texts: "text" for a command (with its id), "-" for a separator, "> text" for a sub-menu
// followed by its entries indented.
QStringList Describe(const QMenu& menu, const QString& indent = {})
{
    QStringList lines;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            lines << indent + u'-';
        else if (action->menu()) {
            lines << indent + QStringLiteral("> ") + action->text();
            lines << Describe(*action->menu(), indent + QStringLiteral("  "));
        } else
            lines << indent + action->objectName() + u' ' + action->text();
    }
    return lines;
}

TEST(LodgixMainFrame, EveryMenuEntryHasItsTextPlaceAndSeparators)
{
    FrameFixture f;
    QStringList titles;
    QStringList entries;
    for (const QAction* top : f.frame.menuBar()->actions()) {
        titles << top->text();
        entries << Describe(*top->menu());
    }
    EXPECT_EQ(titles, QStringList({"Gestione", "Visualizza", "Hotel", "Camere", "Clienti", "Operatori", "&?"}));
    const QStringList expected = {
        "32796 Impostazioni di stampa", "32809 Impostazioni Hotel", "-", "57606 Imposta stampante...", "-", "57665 Esci",
        "59392 Barra degli strumenti", "59393 Barra di stato",
        "32771 Modifica configurazione hotel", "32772 Crea un nuovo hotel", "32778 Lista caratteristiche camera",
        "32813 Lista servizi opzionali in camera", "32797 Lista servizi al cliente", "32798 Lista check in",
        "32800 Lista check out", "32808 Lista prenotazioni", "32811 Prenotazione di gruppo", "32812 Analisi statistica",
        "> Scheda di pubblica sicurezza", "  32801 Genera nuova", "  32802 Lista schede emesse",
        "32815 Modifica fattura/ricevuta", "32817 Lista zone di accesso comuni",
        "32779 Crea nuova camera", "32780 Modifica configurazione camera", "32781 Elimina camera", "32807 Imposta sveglia",
        "> Prenotazioni", "  32782 Nuova", "  32783 Modifica", "  32784 Elimina",
        "> Indisponibilità", "  32785 Nuova", "  32786 Modifica", "  32787 Elimina",
        "> Check in/out", "  32788 Nuovo", "  32789 Modifica", "  32791 Elimina", "  32792 Lista servizi richiesti",
        "  32793 Conto parziale", "  32790 Check out", "  32794 Apri ricevuta/fattura", "  32816 Crea nuova carta",
        "> Messaggi", "  32803 Nuovo", "  32804 Lista messaggi",
        "32776 Lista clienti", "32777 Lista aziende", "32814 Lista convenzioni cliente",
        "32773 Lista operatori", "32775 Cambia password", "32774 Disconnetti operatore",
        "32818 Manager controllo accessi", "57664 Infor&mazioni su Lodgix...",
    };
    EXPECT_EQ(entries, expected);
    // Positions the program relies on: the sub-menus of "Camere" from 4, "Hotel"'s at 10.
    const QList<QAction*> rooms = f.frame.menuBar()->actions().at(3)->menu()->actions();
    EXPECT_EQ(rooms.at(4)->text(), QStringLiteral("Prenotazioni"));
    EXPECT_EQ(rooms.at(7)->text(), QStringLiteral("Messaggi"));
    EXPECT_EQ(f.frame.menuBar()->actions().at(2)->menu()->actions().at(10)->text(),
              QStringLiteral("Scheda di pubblica sicurezza"));
}

TEST(LodgixMainFrame, CommandsGoToTheViewUnlessTheFrameHasItsOwn)
{
    FrameFixture f;
    QSignalSpy closing(&f.frame, &CMainFrame::Closing);
    int abouts = 0;
    f.frame.OnCommand(CMainFrame::kAboutCommand, [&abouts] { ++abouts; });
    f.frame.menuBar()->findChild<QAction*>(QStringLiteral("32798"))->trigger();
    f.frame.findChild<QToolBar*>()->findChild<QAction*>(QStringLiteral("32776"))->trigger();
    f.frame.Target().Post(WM_COMMAND, 32775, 0);
    f.frame.menuBar()->findChild<QAction*>(QStringLiteral("57664"))->trigger();
    f.Deliver();
    f.Deliver();
    const std::vector<Received> expected = {{WM_COMMAND, 32798}, {WM_COMMAND, 32776}, {WM_COMMAND, 32775}};
    EXPECT_EQ(f.received, expected);
    EXPECT_EQ(abouts, 1);

    // The bars come and go with their commands, and the menu's ticks follow.
    QAction* toolbarEntry = f.frame.menuBar()->findChild<QAction*>(QStringLiteral("59392"));
    QAction* statusEntry = f.frame.menuBar()->findChild<QAction*>(QStringLiteral("59393"));
    EXPECT_TRUE(toolbarEntry->isChecked());
    toolbarEntry->trigger();
    statusEntry->trigger();
    EXPECT_FALSE(f.frame.ToolBar()->isVisible());
    EXPECT_FALSE(f.frame.statusBar()->isVisible());
    f.frame.menuBar()->actions().at(1)->menu()->popup(QPoint());
    EXPECT_FALSE(toolbarEntry->isChecked());
    EXPECT_FALSE(statusEntry->isChecked());
    f.frame.menuBar()->actions().at(1)->menu()->hide();
    f.frame.RunCommand(CMainFrame::kToolbarCommand);
    EXPECT_TRUE(f.frame.ToolBar()->isVisible());

    // The updater's close reaches the frame by a posted command and ends it.
    EXPECT_EQ(closing.count(), 0);
    f.frame.Target().Post(WM_COMMAND, CMainFrame::kCloseCommand, 0);
    EXPECT_TRUE(WaitFor([&] { return closing.count() == 1; }));
}

TEST(LodgixMainFrame, LockKeyPanesGreyTheKeysThatAreOff)
{
    FrameFixture f;
    const auto lit = [&f] {
        QString panes;
        for (const char* id : {"59137", "59138", "59139"})
            panes += f.frame.statusBar()->findChild<QLabel*>(QLatin1String(id))->isEnabled() ? u'1' : u'0';
        return panes;
    };
    f.frame.ShowLockKeys({.capsLock = true, .numLock = false, .scrollLock = true});
    EXPECT_EQ(lit(), QStringLiteral("101"));
    f.frame.ShowLockKeys({.capsLock = false, .numLock = true, .scrollLock = false});
    EXPECT_EQ(lit(), QStringLiteral("010"));
    f.frame.ShowLockKeys({});
    EXPECT_EQ(lit(), QStringLiteral("000"));
}

TEST(LodgixMainFrame, CtrlLettersGoToTheViewAndStillReachTheFocusedControl)
{
    FrameFixture f;
    f.field->setText(QStringLiteral("Rossi"));
    std::vector<int> fieldKeys;  // the keys pressed in the field (the modifiers' own presses among them)
    struct Counter : QObject {
        std::vector<int>& keys;
        explicit Counter(std::vector<int>& k) : keys(k) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::KeyPress)
                keys.push_back(static_cast<QKeyEvent*>(event)->key());
            return false;
        }
    } counter(fieldKeys);
    f.field->installEventFilter(&counter);

    struct KeyCase {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::uint64_t code;  // 0: nothing posted
    };
    const KeyCase cases[] = {
        {"Ctrl+D", Qt::Key_D, Qt::ControlModifier, 4},
        {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, 1},
        {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, 24},
        {"Ctrl+Shift+B", Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier, 2},
        {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier, 0},
        {"Ctrl+Alt+D", Qt::Key_D, Qt::ControlModifier | Qt::AltModifier, 0},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, 0},
        {"Tab", Qt::Key_Tab, Qt::NoModifier, 0},
        {"Enter", Qt::Key_Return, Qt::NoModifier, 0},
        {"D", Qt::Key_D, Qt::NoModifier, 0},
    };
    for (const KeyCase& c : cases) {
        f.field->setFocus();
        f.received.clear();
        fieldKeys.clear();
        QTest::keyClick(f.field, c.key, c.modifiers);
        f.Deliver();
        const std::vector<Received> expected =
            c.code ? std::vector<Received>{{CLodgixView::kActionKeyMessage, c.code}} : std::vector<Received>{};
        EXPECT_EQ(f.received, expected) << c.what;
        if (c.key != Qt::Key_Tab) {
            EXPECT_EQ(std::count(fieldKeys.begin(), fieldKeys.end(), c.key), 1) << c.what << ": the control gets the key too";
        }
    }

    // A dialog of the program keeps its keys.
    QDialog dialog(&f.frame);
    auto edit = new QLineEdit(&dialog);
    dialog.show();
    edit->setFocus();
    f.received.clear();
    QTest::keyClick(edit, Qt::Key_D, Qt::ControlModifier);
    f.Deliver();
    EXPECT_TRUE(f.received.empty());
}

TEST(LodgixMainFrame, FrameAndAboutBoxShowTheirTextsWholeInBothLanguages)
{
    for (const int language : {1, 2}) {
        SetLanguage(language);
        const QString suffix = language == 2 ? QStringLiteral("en") : QStringLiteral("it");
        FrameFixture f;
        EXPECT_EQ(f.frame.size(), CMainFrame::kInitialSize);
        EXPECT_FALSE(f.frame.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(f.frame.windowTitle(), QStringLiteral("Lodgix"));
        EXPECT_EQ(f.frame.statusBar()->findChildren<QLabel*>().size(), 3);
        EXPECT_EQ(f.frame.menuBar()->actions().at(0)->text(),
                  language == 2 ? QStringLiteral("Management") : QStringLiteral("Gestione"));
        EXPECT_TRUE(HasNoClippedText(f.frame)) << language;
        SaveScreenshot(f.frame, QStringLiteral("lodgix_mainframe_") + suffix);
        QMenu* rooms = f.frame.menuBar()->actions().at(3)->menu();
        rooms->popup(f.frame.mapToGlobal(QPoint(0, 0)));
        EXPECT_TRUE(HasNoClippedText(*rooms)) << language;
        SaveScreenshot(*rooms, QStringLiteral("lodgix_menu_rooms_") + suffix);
        rooms->hide();

        CLodgixAboutDlg about(&f.frame);
        about.show();
        EXPECT_EQ(about.windowTitle(), QStringLiteral("Lodgix"));
        EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("1076"))->text(), QStringLiteral("Lodgix 1.0.0.29"));
        EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("1082"))->text(), QStringLiteral("www.utensa.example"));
        EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("1080"))->text(),
                  language == 2 ? QStringLiteral("Italy") : QStringLiteral("Italia"));
        EXPECT_TRUE(HasNoClippedText(about)) << language;
        SaveScreenshot(about, QStringLiteral("lodgix_about_") + suffix);
    }
    SetLanguage(1);
}

}  // namespace
