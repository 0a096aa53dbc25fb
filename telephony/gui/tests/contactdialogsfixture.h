#pragma once

// The contact dialogs over the console's catalog (SQLite or PostgreSQL) with the engine running against
// Simulvex: the installation the dialogs connect by, contacts of this and of another workstation, and
// contact files placed where Registry.ini [Contacts] names them.
#include "clippedtextcheck.h"
#include "computername.h"
#include "consolewindowsfixture.h"
#include "contactsource.h"
#include "folders.h"
#include "installationsettings.h"
#include "language.h"
#include "registrykey.h"
#include "rowlist.h"
#include "sortlistctrl.h"
#include "widgettesting.h"

#include <QFile>
#include <QWindow>

namespace consolewindows {

const QString kOtherComputer = QStringLiteral("ALTROPC");

class ContactDialogsTest : public ConsoleWindowsTest {
protected:
    // Starts the engine; false when the test is skipped or failed on the way.
    bool Start()
    {
        StartOn(SimulvexModel{});
        if (IsSkipped() || HasFatalFailure())
            return false;
        m_installation = std::make_unique<InstallationSettings>();  // the tree's store, now entered
        EXPECT_EQ(m_installation->Load(), InstallationSettings::LoadResult::Loaded);
        m_context.installation = m_installation.get();
        // PostgreSQL's catalog outlives the test: start on an empty address book.
        EXPECT_EQ(m_database->OpenRecordset(QStringLiteral("DELETE FROM AddressBook")), kNoError);
        m_database->CloseRecordset();
        return !HasFailure();
    }

    // A contact's 16 texts: the name and the home number, the rest empty.
    static QStringList Contact(const QString& name, const QString& home = {})
    {
        QStringList texts(16);
        texts[0] = name;
        texts[8] = home;
        return texts;
    }
    // Stores a contact as the workstation named (this one when empty) stores it.
    void Store(const QStringList& texts, bool shared, bool updatable, const QString& computer = {})
    {
        m_database->SetComputerName(computer.isEmpty() ? ComputerName() : computer);
        EXPECT_EQ(m_database->InsertContactFromList(texts, shared, updatable), kNoError);
        m_database->SetComputerName(ComputerName());
    }
    // Every contact of the catalog as "name|owner|shared|editable|home number", by name.
    QStringList Stored()
    {
        RowList rows;
        m_database->SetComputerName(ComputerName());
        EXPECT_EQ(m_database->SearchContacts(0, QString(), 2, rows), kNoError);
        QStringList listing;
        for (const RowList::Row& row : rows.Rows())
            listing << QStringList{row.texts[0], row.texts[16], row.texts[17], row.texts[18], row.texts[8]}.join(u'|');
        return listing;
    }
    static QString Here() { return ComputerName().left(100); }

    // Writes a file beside the suite and names it in Registry.ini [Contacts].
    static QString PlaceContactsFile(const QString& registryName, const QString& fileName, const QByteArray& contents)
    {
        const QString path = GetSuiteFolder() + fileName;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(contents), contents.size());
        file.close();
        EXPECT_TRUE(RegistryKey(ContactSource::kRegistryKey).WriteString(registryName, path));
        return path;
    }

    // The list's rows, each as its texts joined by '|' (the first `count` columns).
    static std::vector<std::string> Rows(const CSortListCtrl& list, int count)
    {
        std::vector<std::string> rows;
        for (int row = 0; row < list.ItemCount(); ++row) {
            QStringList texts;
            for (int column = 0; column < count; ++column)
                texts << list.ItemText(row, column);
            rows.push_back(texts.join(u'|').toStdString());
        }
        return rows;
    }
    static void Select(CSortListCtrl& list, std::initializer_list<int> rows)
    {
        list.clearSelection();
        for (int row : rows)
            list.topLevelItem(row)->setSelected(true);
    }

    // Shows the dialog at its own size, checks that its texts are whole and saves its picture.
    static void ShowAndShoot(QWidget& dialog, const QString& name)
    {
        dialog.show();
        EXPECT_TRUE(WaitFor([&] { return dialog.windowHandle() && dialog.windowHandle()->isExposed(); }));
        EXPECT_TRUE(HasNoClippedText(dialog)) << name.toStdString();
        EXPECT_TRUE(SaveScreenshot(dialog, name));
    }

    template <typename Widget>
    static Widget* Find(QWidget& dialog, int id)
    {
        auto widget = dialog.findChild<Widget*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }

    void TearDown() override
    {
        SetLanguage(kLanguageItalian);
        ConsoleWindowsTest::TearDown();
    }

    std::unique_ptr<InstallationSettings> m_installation;
};

}  // namespace consolewindows
