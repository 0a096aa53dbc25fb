// The view's period dialog and its file and settings commands.
#include "datetimedlg.h"
#include "ratingconfigurationfile.h"
#include "ratinglist.h"
#include "stringtable.h"
#include "tempsuite.h"
#include "valuxaview.h"
#include "viewtesting.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

class ViewFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
        view = MakeView(false);
    }
    void TearDown() override
    {
        view.reset();
        QLocale::setDefault(QLocale::c());
    }

    std::unique_ptr<CValuxaView> MakeView(bool protectedConfiguration)
    {
        auto made = std::make_unique<CValuxaView>(data.configuration, data.pbxs, data.tariffPictures,
                                                  data.rulePictures, protectedConfiguration);
        made->SetFrameTarget(&frame);
        made->show();
        made->OnInitialUpdate();
        return made;
    }

    // Runs a command of the view; `answer` handles each modal window it opens.
    void Run(int command, const std::function<void(QDialog*)>& answer)
    {
        ModalAnswerer answerer([&](QDialog* shown) {
            if (auto box = qobject_cast<QMessageBox*>(shown))
                boxes.append(box->text());
            answer(shown);
        });
        view->OnCommand(command);
        WaitFor([] { return QApplication::activeModalWidget() == nullptr; });
    }

    // A file dialog answered with a name typed under the filter chosen.
    static std::function<void(QDialog*)> ChooseFile(const QString& path, int filter = 0)
    {
        return [path, filter](QDialog* shown) {
            if (auto dialog = qobject_cast<QFileDialog*>(shown)) {
                dialog->selectNameFilter(dialog->nameFilters().value(filter));
                // The dialog leaves its name field alone while the field has the focus, as it has once the
                // dialog is active (an optimised build gets there before this runs).
                if (QWidget* focused = dialog->focusWidget())
                    focused->clearFocus();
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, "accept");
            } else {
                shown->accept();
            }
        };
    }

    QStringList Lines(const QString& path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("(missing)")};
        return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    struct FrameTarget : MessageTarget {
        std::vector<std::uint64_t> commands;
        void Post(std::uint32_t, std::uint64_t wParam, std::int64_t) override { commands.push_back(wParam); }
    } frame;

    TempSuite suite{QStringLiteral("Tarivo")};
    ViewFixtureData data;
    std::unique_ptr<CValuxaView> view;
    QStringList boxes;
};

TEST_F(ViewFileTest, PeriodButtonsOpenTheDialogOfTheirPurpose)
{
    EXPECT_EQ(LoadResString(CDateTimeDlg::TitleString(4)), QStringLiteral("Data/Ora inizio conteggio"));
    QString title;
    Run(CValuxaView::kModifyItemCommand, [&](QDialog* shown) {
        title = shown->windowTitle();
        SaveScreenshot(*shown, QStringLiteral("rating_dialog_131"));
        shown->findChild<QDateEdit*>(QStringLiteral("1007"))->setDate(QDate(2026, 11, 2));
        shown->findChild<QTimeEdit*>(QStringLiteral("1009"))->setTime(QTime(8, 30, 15));
        shown->accept();
    });
    EXPECT_EQ(title, QStringLiteral("Data/Ora inizio conteggio"));
    EXPECT_EQ(view->m_accountStart, OleDate(2026, 11, 2, 8, 30, 15));
    EXPECT_EQ(Button(*view, 1006)->text(), QStringLiteral("02/11/2026 08:30:15"));

    view->OnCommand(CValuxaView::kHistoryCommand);
    Run(CValuxaView::kAddCloneOrDeleteItemCommand, [&](QDialog* shown) {
        title = shown->windowTitle();
        shown->reject();
    });
    EXPECT_EQ(title, QStringLiteral("Data/Ora fine visualizzazione"));
}

TEST_F(ViewFileTest, SaveAsReplacesTheTypedExtensionAndWritesTheList)
{
    view->OnCommand(CValuxaView::kHistoryCommand);
    const QString folder = suite.SharedFolder();
    const struct {
        QString typed;
        int filter;
        QString written;
    } cases[] = {{QStringLiteral("report.xls"), 0, QStringLiteral("report.txt")},
                 {QStringLiteral("report."), 0, QStringLiteral("report.txt")},
                 {QStringLiteral("other"), 1, QStringLiteral("other.csv")}};
    for (const auto& c : cases) {
        Run(CValuxaView::kFileSaveAsCommand, ChooseFile(folder + c.typed, c.filter));
        const QStringList lines = Lines(folder + c.written);
        ASSERT_EQ(lines.size(), 2) << c.written.toStdString();  // an empty list: title and headings
        EXPECT_EQ(lines[0], view->Title()->text());
        EXPECT_TRUE(lines[1].startsWith(c.filter == 0 ? QStringLiteral("Data e Ora\t") : QStringLiteral("Data e Ora;")));
    }
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("report..txt")));

    view->List()->AddRow({QStringLiteral("03/12/2026"), QStringLiteral("00:01:05"), QStringLiteral("12.50")}, 0);
    Run(CValuxaView::kFileSaveAsCommand, ChooseFile(folder + QStringLiteral("cells.csv"), 1));
    const QStringList lines = Lines(folder + QStringLiteral("cells.csv"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].contains(QStringLiteral("=\"12.50\""))) << lines[2].toStdString();
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(ViewFileTest, ExportCarriesTheExportTagAndTheProgramsOwnFileIsRefusedOnImport)
{
    const QString folder = suite.SharedFolder();
    Run(CValuxaView::kExportCommand, ChooseFile(folder + QStringLiteral("copia.txt")));
    RatingConfiguration exported;
    EXPECT_EQ(LoadRatingConfiguration(folder + QStringLiteral("copia.epc"), kExportFileOlderTag, kExportFileTag, exported),
              RatingFileResult::Ok);

    ASSERT_EQ(SaveRatingConfiguration(folder + QStringLiteral("PrcCnf.psx"), kRatingFileTag, data.configuration),
              RatingFileResult::Ok);
    const QString before = data.configuration.tariffs.tariffs[2].name;
    data.configuration.tariffs.tariffs[2].name = QStringLiteral("Cambiata");
    Run(CValuxaView::kImportCommand, ChooseFile(folder + QStringLiteral("PrcCnf.psx")));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Si è verificato un errore nell'importazione dei dati.")});
    EXPECT_EQ(data.configuration.tariffs.tariffs[2].name, QStringLiteral("Cambiata"));
    EXPECT_TRUE(frame.commands.empty());

    boxes.clear();
    Run(CValuxaView::kImportCommand, ChooseFile(folder + QStringLiteral("copia.epc")));
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(data.configuration.tariffs.tariffs[2].name, before);
    EXPECT_EQ(frame.commands, std::vector<std::uint64_t>{CValuxaView::kAppExitCommand});
}

TEST_F(ViewFileTest, MenuEnablingByModeButtonsAndProtection)
{
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFileOpenCommand), true);  // account mode
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFileSaveAsCommand), false);
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFilePrintCommand), false);  // nothing computed
    view->OnCommand(CValuxaView::kTariffsCommand);
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFilePrintPreviewCommand), true);
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFileNewCommand), true);
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kFileOpenCommand), false);
    for (int command : {CValuxaView::kPrintSettingsCommand, CValuxaView::kImportCommand, CValuxaView::kExportCommand})
        EXPECT_EQ(view->IsCommandEnabled(command), true);
    view = MakeView(true);
    for (int command : {CValuxaView::kPrintSettingsCommand, CValuxaView::kImportCommand, CValuxaView::kExportCommand})
        EXPECT_EQ(view->IsCommandEnabled(command), false);
    EXPECT_EQ(view->IsCommandEnabled(CValuxaView::kViewAccountCommand), true);
}

TEST_F(ViewFileTest, PrintSettingsAreSavedAtOnce)
{
    SetDefaultPrintSettings(data.configuration.printSettings);
    Run(CValuxaView::kPrintSettingsCommand, [](QDialog* shown) {
        shown->findChild<QLineEdit*>(QStringLiteral("1132"))->setText(QStringLiteral("42"));
        shown->findChild<QPushButton*>(QStringLiteral("1122"))->click();
    });
    EXPECT_EQ(data.configuration.printSettings.leftMargin, 42);
    RatingConfiguration saved;
    ASSERT_EQ(LoadRatingConfiguration(RatingConfigurationPath(), kRatingFileOlderTag, kRatingFileTag, saved),
              RatingFileResult::Ok);
    EXPECT_EQ(saved.printSettings.leftMargin, 42);
}

}  // namespace
