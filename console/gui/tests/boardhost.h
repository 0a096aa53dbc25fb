#pragma once

#include "boundpbxrecords.h"
#include "contactcache.h"
#include "enginedoc.h"
#include "engineerrorcode.h"
#include "enginesettings.h"
#include "engineview.h"
#include "engineviewhost.h"
#include "fakenotificationicon.h"
#include "installationsettings.h"
#include "mainframe.h"
#include "pbxinitialization.h"
#include "skinregion.h"
#include "sqldatabase.h"
#include "suitetree.h"

#include <QCoreApplication>
#include <QImage>
#include <QRegion>

#include <array>
#include <memory>

// The board's program: outcomes and links as a test sets them, a database with two PBXs (the first on the
// LAN, the second on COM3) and the installation store of a suite tree.
class BoardHost : public EngineViewHost {
public:
    BoardHost() : m_tree(QStringLiteral("Pultex")), m_database(m_tree.CatalogParameters()), m_settings(OleDate::Now())
    {
        m_tree.Enter();
    }

    bool Prepare(std::uint8_t mode, bool loadInstallation = true)
    {
        if (!m_tree.IsValid() || !m_tree.CreateCatalog({QStringLiteral("Centrale1"), QStringLiteral("Centrale2")}))
            return false;
        if (!m_tree.WriteInstallation(mode, 0, 3, {}, QStringLiteral("pc-server")))
            return false;
        if (loadInstallation && m_installation.Load() != InstallationSettings::LoadResult::Loaded)
            return false;
        if (m_database.ConnectAndCreateSchema(QString()) != kNoError ||
            m_database.UpdateEngineConfiguration(0, QStringLiteral("Centrale1"), 0) != kNoError ||
            m_database.UpdateEngineConfiguration(1, QStringLiteral("Centrale2"), 3) != kNoError ||
            m_database.LoadEngineConfiguration() != kNoError)
            return false;
        m_database.SaveInitialization(0, Initialization(24, 8, 2, "VX200 v2.1"));
        return true;
    }

    static QByteArray Initialization(int extensions, int lines, int entryPhones, const char* model)
    {
        QByteArray record(PbxInitialization::kSize, '\0');
        record[PbxInitialization::kExtensionCountOffset] = char(extensions);
        record[PbxInitialization::kLineCountOffset] = char(lines);
        record[PbxInitialization::kEntryPhoneCountOffset] = char(entryPhones);
        const QByteArray text(model);
        record.replace(PbxInitialization::kVersionOffset, text.size(), text);
        return record;
    }

    InstallationSettings& Installation() override { return m_installation; }
    CSqlDatabase& Database() override { return m_database; }
    std::uint8_t GetAssociatedPbx() const override { return m_installation.GetAssociatedPbx(); }
    std::uint8_t GetAssociatedExtension() const override { return m_installation.AssociatedExtension(); }
    bool IsServerMode() const override { return m_installation.IsLoaded() && m_installation.IsServerStation(); }
    const QImage& SkinBitmap() const override { return m_skin; }
    const QRegion& SkinRegion() const override { return m_region; }
    std::uint8_t EngineOutcome() const override { return m_engine; }
    std::uint8_t EngineOutcomeDetail() const override { return m_engineDetail; }
    std::uint8_t TapiOutcome() const override { return m_tapi; }
    std::uint8_t LinkStatus(int pbx) const override { return m_links.at(std::size_t(pbx)); }
    BoundPbxRecords& BoundRecords() override { return m_records; }
    EngineSettings& Settings() override { return m_settings; }
    CContactCache* Contacts() const override { return m_contacts.get(); }
    QString GetExtensionLabel(int extension) override { return QStringLiteral("INT. %1").arg(21 + extension); }

    void LoadSkin()
    {
        m_skin = QImage(QStringLiteral(SUITE_ASSETS_DIR "/shared/PxBkImg.psx"));
        m_region = CreateRegionFromBitmap(m_skin);
    }

    SuiteTree m_tree;
    CSqlDatabase m_database;
    InstallationSettings m_installation;
    EngineSettings m_settings;
    BoundPbxRecords m_records;
    std::unique_ptr<CContactCache> m_contacts = std::make_unique<CContactCache>();
    QImage m_skin;
    QRegion m_region;
    std::uint8_t m_engine = 0;
    std::uint8_t m_engineDetail = 0;
    std::uint8_t m_tapi = 0;
    std::array<std::uint8_t, 10> m_links{};
};

// The board in its frame, as the console shows it; the frame's icon is a fake one.
struct Board {
    explicit Board(BoardHost& host)
        : log(std::make_shared<IconLog>()), frame(std::make_unique<FakeNotificationIcon>(log)),
          view(new CEngineView(host, document))
    {
        frame.setCentralWidget(view);
        frame.setFixedSize(view->size());
    }
    void Deliver()
    {
        QCoreApplication::sendPostedEvents(&frame);
        QCoreApplication::sendPostedEvents(view);
    }
    std::shared_ptr<IconLog> log;
    CEngineDoc document;
    CMainFrame frame;
    CEngineView* view;
};
