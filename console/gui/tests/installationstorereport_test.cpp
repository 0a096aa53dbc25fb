#include "installationstorereport.h"

#include "dialogtesting.h"
#include "installationsettings.h"
#include "tempsuite.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(InstallationStoreReport, DamagedStoreIsReported)
{
    TempSuite suite(QStringLiteral("Pultex"));
    QFile store(InstallationSettings::DefaultStorePath());
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write("[Installation]\nMode=server\n");
    store.close();
    InstallationSettings settings;
    ASSERT_EQ(settings.Load(), InstallationSettings::LoadResult::Damaged);

    MessageBoxRecorder boxes;
    EXPECT_TRUE(ReportDamagedInstallationStore(settings));
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].title, QStringLiteral("Pultex - Messaggio di errore"));
    EXPECT_EQ(boxes.Seen()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(boxes.Seen()[0].text.startsWith(QStringLiteral("Il file delle impostazioni di installazione")));
    EXPECT_TRUE(boxes.Seen()[0].text.contains(QStringLiteral("Installation/Mode")));
}

TEST(InstallationStoreReport, OtherLoadsAreNotReported)
{
    TempSuite suite(QStringLiteral("Pultex"));
    InstallationSettings settings;
    ASSERT_EQ(settings.Load(), InstallationSettings::LoadResult::FirstStart);
    MessageBoxRecorder boxes;
    EXPECT_FALSE(ReportDamagedInstallationStore(settings));
    EXPECT_TRUE(boxes.Seen().empty());
}

}  // namespace
