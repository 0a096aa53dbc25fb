#include "engineview.h"

#include "accesspassworddlg.h"
#include "boardhost.h"
#include "boundpbxrecords.h"
#include "contactcache.h"
#include "dialogtesting.h"
#include "enginedoc.h"
#include "enginesettings.h"
#include "extbutton.h"
#include "fakenotificationicon.h"
#include "globalconfiguration.h"
#include "hoverbutton.h"
#include "incomingcalldlg.h"
#include "installationsettings.h"
#include "language.h"
#include "mainframe.h"
#include "noeraselistctrl.h"
#include "pbxinitialization.h"
#include "skinregion.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "suitetree.h"
#include "tapisettingsdlg.h"
#include "transparentlistbox.h"
#include "waitfor.h"
#include "widgettesting.h"

#include "qstringprinter.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QMouseEvent>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

constexpr std::uint8_t kServer = InstallationSettings::kModeServer;
constexpr std::uint8_t kClient = InstallationSettings::kModeClient;
constexpr std::uint8_t kSimulation = InstallationSettings::kModeSimulation;

QString Text(unsigned id) { return LoadResString(id); }

TEST(EngineView, InformationLines)
{
    const QStringList general = {QStringLiteral("Pultex 1.0.0.59"), QString(), Text(1004), Text(1005), Text(1006),
                                 Text(1007), Text(1008), QString()};
    const QStringList operatorLines = {QStringLiteral("Operatore:"), QStringLiteral(" - Centrale1"), QStringLiteral(" - INT. 24")};
    struct Case {
        const char* name;
        std::uint8_t mode;
        bool loaded;
        std::function<void(BoardHost&)> set;
        int part;
        int item;
        QStringList lines;
    };
    const Case cases[] = {
        {"general, settings not loaded", kServer, false, {}, 1, 0, general},
        {"general, client", kClient, true, {}, 1, 0,
         general + QStringList{QStringLiteral("Configurazione: Client"), QStringLiteral("Server: pc-server"), QString()} + operatorLines},
        {"engine outcome 5 detail 43", kServer, true, [](BoardHost& h) { h.m_engine = 5; h.m_engineDetail = 43; }, 2, 0,
         {QStringLiteral("Engine 1.0.0.35"), QStringLiteral("Configurazione: Server"), QString(),
          QStringLiteral("Stato: Errore avvio"), QStringLiteral("Codice: 052b"), Text(16005)}},
        {"engine running", kSimulation, true, {}, 2, 0,
         {QStringLiteral("Engine 1.0.0.35"), QStringLiteral("Configurazione: Simulazione"), QString(), QStringLiteral("Stato: OK")}},
        {"TAPI outcome 2", kServer, true, [](BoardHost& h) { h.m_tapi = 2; }, 2, 2,
         QStringList{QStringLiteral("Tapi Driver 1.0.0.12")} + operatorLines +
             QStringList{QStringLiteral("Stato: Errore avvio"), QStringLiteral("Codice: 02"), Text(17002)}},
        {"TAPI outcome 0, extension copy ringing", kServer, true,
         [](BoardHost& h) {
             for (int extension = 0; extension < 4; ++extension)
                 h.m_records.AddExtensionStatus(QByteArray("\x01\x00\x03\x00\x00\x00\x00", 7));
         },
         2, 2, QStringList{QStringLiteral("Tapi Driver 1.0.0.12")} + operatorLines + QStringList{QStringLiteral("Stato: ") + Text(14003)}},
        {"TAPI outcome 0, no extension copies", kServer, true, {}, 2, 2,
         QStringList{QStringLiteral("Tapi Driver 1.0.0.12")} + operatorLines + QStringList{QStringLiteral("Stato: ")}},
        {"operator console", kServer, true, {}, 3, 1,
         {QStringLiteral("Fonivra 1.0.0.49"), QStringLiteral("Service 1 plug-in 1.0.0.9"),
          QStringLiteral("Service 2 plug-in 1.0.0.5"), QStringLiteral("Service 3 plug-in 1.0.0.3")}},
        {"hotel", kServer, true, {}, 3, 5,
         {QStringLiteral("Lodgix 1.0.0.29"), QStringLiteral("Retimo plug-in 1.0.0.2"), QStringLiteral("ITC plug-in 1.0.0.1")}},
        {"PBX on the LAN, server", kServer, true, {}, 4, 0,
         {QStringLiteral("Centrale: Centrale1"), QStringLiteral("Risorsa: LAN"), QString(), QStringLiteral("Stato: OK"), QString(),
          QStringLiteral("Numero derivati: 24"), QStringLiteral("Numero esterne: 8"), QStringLiteral("Numero citofoni: 2"),
          QStringLiteral("Versione: VX200 v2.1")}},
        {"PBX on the LAN, client's copy", kClient, true,
         [](BoardHost& h) { h.m_records.SetInitialization(BoardHost::Initialization(8, 4, 1, "VX100")); }, 4, 0,
         {QStringLiteral("Centrale: Centrale1"), QStringLiteral("Risorsa: LAN"), QString(), QStringLiteral("Stato: OK"), QString(),
          QStringLiteral("Numero derivati: 8"), QStringLiteral("Numero esterne: 4"), QStringLiteral("Numero citofoni: 1"),
          QStringLiteral("Versione: VX100")}},
        {"PBX on COM3, link down", kServer, true, [](BoardHost& h) { h.m_links[1] = 4; }, 4, 1,
         {QStringLiteral("Centrale: Centrale2"), QStringLiteral("Risorsa: COM3"), QString(),
          QStringLiteral("Stato: Errore avvio"), QStringLiteral("Codice: 04"), Text(15004)}},
    };
    for (const Case& c : cases) {
        BoardHost host;
        ASSERT_TRUE(host.Prepare(c.mode, c.loaded)) << c.name;
        if (c.set)
            c.set(host);
        Board board(host);
        board.view->RefreshStatusBoard(c.part, c.item);
        EXPECT_EQ(board.view->InformationLines(), c.lines) << c.name;
    }
}

TEST(EngineView, ImagesOfEachListFollowTheOutcomes)
{
    struct Case {
        std::uint8_t engine, tapi, link0;
        int engineImage, tapiImage, linkImage;
    };
    const Case cases[] = {{0, 0, 0, 0, 3, 6}, {5, 3, 4, 2, 5, 7}, {9, 5, 1, 2, 5, 7}, {10, 6, 0, 1, 4, 6}, {47, 200, 9, 1, 4, 7}};
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    Board board(host);
    for (const Case& c : cases) {
        host.m_engine = c.engine;
        host.m_tapi = c.tapi;
        host.m_links[0] = c.link0;
        board.view->RefreshStatusBoard(CEngineView::kListsOnly, 0);
        EXPECT_EQ(CEngineView::ItemImage(board.view->ServicesList(), CEngineView::kEngineItem), c.engineImage);
        EXPECT_EQ(CEngineView::ItemImage(board.view->ServicesList(), CEngineView::kTapiDriverItem), c.tapiImage);
        EXPECT_EQ(CEngineView::ItemImage(board.view->PbxList(), 0), c.linkImage);
        EXPECT_EQ(CEngineView::ItemImage(board.view->PbxList(), 1), 6);
        EXPECT_EQ(board.view->ServicesList()->count(), 2);  // updated, not added again
        EXPECT_EQ(board.view->PbxList()->count(), 2);
    }
    EXPECT_EQ(board.view->Images().size(), CEngineView::kImageCount);
    for (const QImage& image : board.view->Images())
        EXPECT_EQ(image.size(), QSize(CEngineView::kImageSize, CEngineView::kImageSize));
}

TEST(EngineView, ApplicationsAreThoseInstalledWithTheirModesImages)
{
    for (std::uint8_t mode : {kServer, kSimulation, kClient}) {
        BoardHost host;
        ASSERT_TRUE(host.Prepare(mode));
        {
            Board board(host);
            board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
            EXPECT_EQ(board.view->ApplicationsList()->count(), 0);
            EXPECT_FALSE(board.view->IsOperatorConsoleAvailable());
            EXPECT_EQ(board.view->PbxList()->count(), mode == kClient ? 1 : 2);
        }
        ASSERT_TRUE(host.m_tree.InstallScript(QStringLiteral("Fonivra"), QStringLiteral("exit 0")));
        ASSERT_TRUE(host.m_tree.InstallScript(QStringLiteral("Lodgix"), QStringLiteral("exit 0")));
        Board board(host);
        board.view->RefreshStatusBoard(CEngineView::kListsOnly, 0);
        ASSERT_EQ(board.view->ApplicationsList()->count(), 2);
        EXPECT_TRUE(board.view->IsOperatorConsoleAvailable());
        EXPECT_EQ(CEngineView::ItemImage(board.view->ApplicationsList(), CEngineView::kOperatorConsoleItem), mode == kSimulation ? 9 : 8);
        EXPECT_EQ(CEngineView::ItemImage(board.view->ApplicationsList(), CEngineView::kHotelItem), mode == kSimulation ? 15 : 14);
        EXPECT_EQ(CEngineView::ItemImage(board.view->ApplicationsList(), CEngineView::kRatingItem), -1);
    }
}

TEST(EngineView, DoubleClickOnAnApplicationHidesTheWindowThenStartsItInItsFolder)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    const QString report = host.m_tree.Folder() + QStringLiteral("started.txt");
    ASSERT_TRUE(host.m_tree.InstallScript(QStringLiteral("Tarivo"),
                                          QStringLiteral("printf '%s\\n' \"$1\" \"$(pwd)\" > '%1'").arg(report)));
    Board board(host);
    board.frame.show();
    board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
    CNoEraseListCtrl* applications = board.view->ApplicationsList();
    ASSERT_EQ(applications->count(), 1);
    applications->setCurrentRow(0);
    board.view->OnNotify(CEngineView::kApplicationsList, CEngineView::kDoubleClickNotification);
    board.Deliver();
    EXPECT_TRUE(board.frame.IsIconShown());
    EXPECT_FALSE(board.frame.isVisible());

    ASSERT_TRUE(WaitFor([&report] {
        QFile file(report);
        return file.open(QIODevice::ReadOnly) && file.readAll().count('\n') == 2;
    }));
    QFile file(report);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    const QString program = host.m_tree.ProgramPath(QStringLiteral("Tarivo"));
    EXPECT_EQ(lines[0], u'"' + program + u'"');
    EXPECT_EQ(QFileInfo(lines[1]).canonicalFilePath(), QFileInfo(host.m_tree.ProgramFolder(QStringLiteral("Tarivo"))).canonicalFilePath());
}

TEST(EngineView, DoubleClickOnTheTapiDriverOpensItsSettings)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    host.m_contacts->AddContact(QStringLiteral("Rossi"), QStringLiteral("+39061"), {}, {}, {});
    Board board(host);
    board.frame.show();
    board.view->RefreshStatusBoard(CEngineView::kListsOnly, 0);
    CNoEraseListCtrl* services = board.view->ServicesList();
    ASSERT_EQ(services->count(), 2);
    QStringList opened;
    ModalAnswerer watcher([&opened](QDialog* modal) {
        if (auto dialog = qobject_cast<CTapiSettingsDlg*>(modal))
            opened << dialog->windowTitle()
                          + QString::number(dialog->findChild<QTreeWidget*>(QStringLiteral("1062"))->topLevelItemCount());
    });
    board.view->OnNotify(CEngineView::kServicesList, CEngineView::kDoubleClickNotification);  // no selection
    EXPECT_EQ(watcher.Count(), 0);
    services->setCurrentRow(1);
    ASSERT_EQ(services->currentItem()->text(), QStringLiteral("Tapi Driver"));
    board.view->OnNotify(CEngineView::kServicesList, CEngineView::kDoubleClickNotification);
    EXPECT_EQ(opened, QStringList{QStringLiteral("Configurazione servizio TAPI1")});
}

TEST(EngineView, DoubleClickOnTheEngineAsksForTheAccessPasswordThenOpensTheConfiguration)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    host.m_installation.SetProtection(InstallationSettings::kProtectionUser);
    host.m_installation.SetAccessPassword(QStringLiteral("segreta"));
    Board board(host);
    board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);

    struct Case {
        const char* typed;  // null: the password dialog is cancelled
        bool opens;
    };
    for (const Case& row : {Case{"sbagliata", false}, Case{nullptr, false}, Case{"Tamp5830", false},
                            Case{"segreta", true}}) {
        QStringList seen;
        {
            ModalAnswerer answer([&](QDialog* dialog) {
                if (auto box = qobject_cast<QMessageBox*>(dialog)) {
                    seen << box->windowTitle() + u'|' + box->text();
                } else if (auto password = qobject_cast<CAccessPasswordDlg*>(dialog)) {
                    seen << QStringLiteral("password");
                    if (row.typed) {
                        password->findChild<QLineEdit*>(QStringLiteral("1120"))->setText(QString::fromUtf8(row.typed));
                        password->findChild<QPushButton*>(QStringLiteral("1121"))->click();
                    }
                } else if (auto sheet = qobject_cast<CGlobalConfiguration*>(dialog)) {
                    seen << sheet->windowTitle();
                    sheet->findChild<QComboBox*>(QStringLiteral("1016"))->setCurrentIndex(3);
                    sheet->findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
                }
            });
            board.view->ServicesList()->setCurrentRow(0);
            board.view->OnNotify(CEngineView::kServicesList, CEngineView::kDoubleClickNotification);
        }
        const QStringList expected = row.opens ? QStringList{QStringLiteral("password"), QStringLiteral("Configurazione di Pultex")}
                                               : QStringList{QStringLiteral("password"), QStringLiteral("Pultex - Messaggio di errore|Password di accesso non valida")};
        EXPECT_EQ(seen, expected) << (row.typed ? row.typed : "cancelled");
    }
    // OK took the sheet's values over.
    EXPECT_EQ(host.m_settings.updateIntervalDays, EngineSettings::kCheckEveryMonth);
    InstallationSettings stored;
    ASSERT_EQ(stored.Load(), InstallationSettings::LoadResult::Loaded);
    EXPECT_TRUE(stored.CheckAccessPassword(QStringLiteral("segreta")));

    // The TAPI driver's item opens its own settings, without the engine's password.
    {
        QStringList opened;
        ModalAnswerer answer([&opened](QDialog* dialog) { opened << dialog->metaObject()->className(); });
        board.view->ServicesList()->setCurrentRow(1);
        board.view->OnNotify(CEngineView::kServicesList, CEngineView::kDoubleClickNotification);
        EXPECT_EQ(opened, QStringList{QStringLiteral("CTapiSettingsDlg")});
    }
}

TEST(EngineView, ClickingAnItemDescribesIt)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    host.m_links[1] = 4;
    Board board(host);
    board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
    board.view->OnNotify(CEngineView::kPbxsList, CEngineView::kClickNotification);  // nothing selected
    EXPECT_EQ(board.view->InformationLines().value(0), QStringLiteral("Pultex 1.0.0.59"));
    board.view->PbxList()->setCurrentRow(1);
    board.view->OnNotify(CEngineView::kPbxsList, CEngineView::kClickNotification);
    EXPECT_EQ(board.view->InformationLines().value(1), QStringLiteral("Risorsa: COM3"));
    board.view->ServicesList()->setCurrentRow(0);
    board.view->Target().Post(CEngineView::kNotifyMessage, CEngineView::kServicesList, CEngineView::kClickNotification);
    board.Deliver();
    EXPECT_EQ(board.view->InformationLines().value(0), QStringLiteral("Engine 1.0.0.35"));
}

TEST(EngineView, ControlsStandWhereTheSkinHasRoomForThem)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    host.LoadSkin();
    Board board(host);
    CEngineView& view = *board.view;
    EXPECT_EQ(view.size(), host.m_skin.size());
    struct Place {
        const char* id;
        QRect rect;
    };
    for (const Place& place : {Place{"1032", {542, 39, 20, 20}}, Place{"1033", {532, 19, 20, 20}}, Place{"1034", {510, 10, 20, 20}},
                               Place{"1035", {246, 118, 266, 70}}, Place{"1036", {246, 207, 266, 70}},
                               Place{"1037", {246, 297, 266, 70}}, Place{"1038", {64, 123, 169, 236}},
                               Place{"1110", {190, 387, 198, 20}}}) {
        QWidget* control = view.findChild<QWidget*>(QString::fromLatin1(place.id));
        ASSERT_NE(control, nullptr) << place.id;
        EXPECT_EQ(control->geometry(), place.rect) << place.id;
        // Every control lies inside the window's shape.
        EXPECT_TRUE(host.m_region.contains(control->geometry())) << place.id;
    }
    // The captions stand above their lists, inside the window.
    for (QWidget* list : {static_cast<QWidget*>(view.ServicesList()), static_cast<QWidget*>(view.InformationList())}) {
        const QRect caption = view.CaptionRect(list);
        EXPECT_LT(caption.bottom(), list->y());
        EXPECT_GT(caption.top(), 0);
    }
}

TEST(EngineView, ButtonsAndTheWebAddress)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    Board board(host);
    QString opened;
    int about = 0;
    board.view->SetAddressOpener([&opened](const QString& address) { opened = address; });
    board.frame.SetAboutBox([&about] { ++about; });
    board.frame.show();

    board.view->findChild<CExtButton*>(QStringLiteral("1110"))->click();
    EXPECT_EQ(opened, QStringLiteral("www.utensa.example"));
    board.view->findChild<CHoverButton*>(QStringLiteral("1034"))->click();
    board.Deliver();
    EXPECT_EQ(about, 1);
    board.view->findChild<CHoverButton*>(QStringLiteral("1033"))->click();
    EXPECT_TRUE(board.frame.isMinimized());
    board.frame.showNormal();
    board.view->findChild<CHoverButton*>(QStringLiteral("1032"))->click();
    board.Deliver();
    EXPECT_TRUE(board.frame.IsIconShown());
}

TEST(EngineView, DraggingBySkinMovesTheWindowUntilTheBorder)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    Board board(host);
    board.frame.move(100, 100);
    board.frame.show();
    CEngineView& view = *board.view;
    auto send = [&view](QEvent::Type type, QPoint at) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton), Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
    };
    const QPoint start = board.frame.pos();
    send(QEvent::MouseButtonPress, {30, 30});
    send(QEvent::MouseMove, {40, 50});
    EXPECT_EQ(board.frame.pos(), start + QPoint(10, 20));
    send(QEvent::MouseMove, {3, 50});  // within 5 pixels of the border: the drag ends
    EXPECT_EQ(board.frame.pos(), start + QPoint(10, 20));
    send(QEvent::MouseMove, {60, 60});
    EXPECT_EQ(board.frame.pos(), start + QPoint(10, 20));
    send(QEvent::MouseButtonPress, {30, 30});
    send(QEvent::MouseButtonRelease, {30, 30});
    send(QEvent::MouseMove, {60, 60});  // released: no drag
    EXPECT_EQ(board.frame.pos(), start + QPoint(10, 20));
}

TEST(EngineView, TheInformationListIsRedrawnOverTheSkinAfterTheFirstPaintAndOnRequest)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    host.LoadSkin();
    Board board(host);
    EXPECT_FALSE(board.view->IsFirstRedrawPending());
    board.frame.show();
    board.view->grab();
    EXPECT_TRUE(board.view->IsFirstRedrawPending());
    EXPECT_TRUE(WaitFor([&board] { return !board.view->IsFirstRedrawPending(); }));

    board.view->InformationList()->grab();
    EXPECT_TRUE(board.view->InformationList()->BackgroundCaptured());
    board.view->Target().Post(CEngineView::kRedrawInformationMessage, 0, 0);
    board.Deliver();
    EXPECT_FALSE(board.view->InformationList()->BackgroundCaptured());
    EXPECT_TRUE(board.view->InformationList()->isVisible());
}

TEST(EngineView, ScreenshotsOfTheBoardInServerAndClientMode)
{
    for (std::uint8_t mode : {kServer, kClient}) {
        BoardHost host;
        ASSERT_TRUE(host.Prepare(mode));
        host.LoadSkin();
        ASSERT_TRUE(host.m_tree.InstallScript(QStringLiteral("Fonivra"), QStringLiteral("exit 0")));
        ASSERT_TRUE(host.m_tree.InstallScript(QStringLiteral("Tarivo"), QStringLiteral("exit 0")));
        if (mode == kClient) {
            host.m_tapi = 2;
            host.m_records.SetInitialization(BoardHost::Initialization(8, 4, 1, "VX100"));
        } else {
            host.m_links[1] = 4;
        }
        Board board(host);
        board.frame.RemoveCaptionAndBorder();
        board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
        board.view->ApplySkinRegion();
        board.frame.show();
        board.view->RedrawInformationList();
        const QString name = mode == kClient ? QStringLiteral("engineview_client") : QStringLiteral("engineview_server");
        EXPECT_TRUE(SaveScreenshot(*board.view, name));
        board.view->PbxList()->setCurrentRow(mode == kClient ? 0 : 1);
        board.view->OnNotify(CEngineView::kPbxsList, CEngineView::kClickNotification);
        EXPECT_TRUE(SaveScreenshot(*board.view, name + QStringLiteral("_pbx")));
    }
}

TEST(EngineView, FivePbxsAreAllReachableOnTheBoard)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    host.LoadSkin();
    for (int pbx = 2; pbx < 5; ++pbx)
        ASSERT_EQ(host.m_database.InsertEngineConfiguration(pbx, QStringLiteral("Centrale%1").arg(pbx + 1), pbx + 2), kNoError);
    ASSERT_EQ(host.m_database.LoadEngineConfiguration(), kNoError);
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        Board board(host);
        board.frame.RemoveCaptionAndBorder();
        board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
        board.view->ApplySkinRegion();
        board.frame.show();
        CNoEraseListCtrl* pbxs = board.view->PbxList();
        ASSERT_EQ(pbxs->count(), 5);
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("en") : QStringLiteral("it");
        EXPECT_TRUE(SaveScreenshot(*board.view, QStringLiteral("engineview_five_pbxs_") + suffix));
        // Each one can be brought into the list's sight and clicked there.
        for (int row = 0; row < pbxs->count(); ++row) {
            QListWidgetItem* item = pbxs->item(row);
            pbxs->scrollToItem(item);
            const QRect place = pbxs->visualItemRect(item);
            EXPECT_TRUE(pbxs->viewport()->rect().contains(place)) << row << " " << place.x() << "," << place.y();
            EXPECT_EQ(pbxs->itemAt(place.center()), item) << row;
        }
        EXPECT_TRUE(SaveScreenshot(*board.view, QStringLiteral("engineview_five_pbxs_scrolled_") + suffix));
    }
    SetLanguage(kLanguageItalian);
}

// Keeps the window messages posted to an object instead of letting it handle them.
class PostedMessages : public QObject {
public:
    explicit PostedMessages(QObject& target) { target.installEventFilter(this); }
    std::vector<std::tuple<std::uint32_t, std::uint64_t, std::int64_t>> seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != WindowMessageEvent::EventType())
            return false;
        auto message = static_cast<WindowMessageEvent*>(event);
        seen.emplace_back(message->Message(), message->WParam(), message->LParam());
        return true;
    }
};

TEST(EngineView, ItsPopupsTellTheFramesIconAboutTheCallAndSendTheChoicesToTheView)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    Board board(host);
    std::unique_ptr<IncomingCallPopup> popup = board.view->PopupFactory()();
    auto dialog = dynamic_cast<CIncomingCallDlg*>(popup.get());
    ASSERT_NE(dialog, nullptr);
    const QString caller = QStringLiteral("0612345678");
    const QString line = QStringLiteral("(Esterna 1)  Rossi Mario");
    dialog->SetCallState(3, caller, line);
    EXPECT_EQ(board.frame.BalloonText(), Text(10069) + u'\n' + line + u'\n' + caller);

    PostedMessages posted(*board.view);
    dialog->AcceptButton()->click();
    dialog->RejectButton()->click();
    board.Deliver();
    using Posted = std::tuple<std::uint32_t, std::uint64_t, std::int64_t>;
    const auto choice = [](int button) {
        return Posted{CIncomingCallDlg::kViewMessage, std::uint64_t(button), CIncomingCallDlg::kPopupChoice};
    };
    EXPECT_EQ(posted.seen, (std::vector<Posted>{choice(CIncomingCallDlg::kAcceptButton),
                                                choice(CIncomingCallDlg::kRejectButton)}));
}

TEST(EngineView, TheSkinsSubtitleIsDrawnInTheUsersLanguage)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    host.LoadSkin();
    // The artwork carries no words of either language under the program's name.
    QImage pictures[2];
    for (int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        Board board(host);
        board.frame.show();
        pictures[language - 1] = board.view->grab().toImage();
    }
    SetLanguage(kLanguageItalian);
    const QRect subtitle(46, 58, 300, 20);
    EXPECT_NE(pictures[0].copy(subtitle), pictures[1].copy(subtitle));
    // Outside the subtitle the two languages draw the same skin.
    EXPECT_EQ(pictures[0].copy(0, 0, 300, 50), pictures[1].copy(0, 0, 300, 50));
}

TEST(EngineView, AnInstallationStoreThatCannotBeWrittenKeepsTheConfigurationOpen)
{
    BoardHost host;
    ASSERT_TRUE(host.Prepare(kServer));
    Board board(host);
    board.view->RefreshStatusBoard(CEngineView::kGeneralInformation, 0);
    const QString store = host.m_installation.StorePath();
    QFile::remove(store);
    ASSERT_TRUE(QDir().mkpath(store));  // a folder where the file should be
    QStringList seen;
    bool openAfterOk = false;
    {
        ModalAnswerer answer([&](QDialog* dialog) {
            if (auto sheet = qobject_cast<CGlobalConfiguration*>(dialog)) {
                sheet->findChild<QComboBox*>(QStringLiteral("1109"))->setCurrentIndex(1);
                // The box opens inside the sheet's OK: a recorder with a timer of its own closes it.
                MessageBoxRecorder boxes;
                sheet->findChild<QPushButton*>(QStringLiteral("IDOK"))->click();
                for (const SeenMessageBox& box : boxes.Seen())
                    seen << box.title + u'|' + box.text;
                openAfterOk = sheet->isVisible();
            }
        });
        board.view->ServicesList()->setCurrentRow(0);
        board.view->OnNotify(CEngineView::kServicesList, CEngineView::kDoubleClickNotification);
    }
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(seen, QStringList{QStringLiteral("Pultex - Messaggio di errore|Impossibile salvare le impostazioni di "
                                               "installazione\nCodice errore:  19\n") + store});
    EXPECT_EQ(host.m_installation.Language(), kLanguageItalian);  // the running record is as it was
    QDir(store).removeRecursively();
}

}  // namespace
