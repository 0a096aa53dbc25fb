#include "messageboxprompt.h"

#include "childwait.h"
#include "stringtable.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>

#include <cstdio>

namespace {

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, unsigned title, unsigned text)
{
    auto box = std::make_unique<QMessageBox>(icon, LoadResString(title), LoadResString(text), QMessageBox::Ok);
    return box;
}

}  // namespace

std::unique_ptr<QMessageBox> MessageBoxPrompt::MakeUsageBox()
{
    return MakeBox(QMessageBox::NoIcon, kUsageTitleString, kUsageTextString);
}

std::unique_ptr<QMessageBox> MessageBoxPrompt::MakeTooManyInstancesBox()
{
    return MakeBox(QMessageBox::NoIcon, kTooManyInstancesTitleString, kTooManyInstancesTextString);
}

void MessageBoxPrompt::ShowUsage()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", qPrintable(LoadResString(kUsageTextString)));
        return;
    }
    Show(MakeUsageBox());
}

void MessageBoxPrompt::ShowTooManyInstances()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", qPrintable(LoadResString(kTooManyInstancesTextString)));
        return;
    }
    Show(MakeTooManyInstancesBox());
}

void MessageBoxPrompt::Show(std::unique_ptr<QMessageBox> box)
{
    if (StopSignals::Requested())
        return;
    std::unique_ptr<QSocketNotifier> stop;
    if (StopSignals::Descriptor() >= 0) {
        stop = std::make_unique<QSocketNotifier>(StopSignals::Descriptor(), QSocketNotifier::Read);
        QObject::connect(stop.get(), &QSocketNotifier::activated, box.get(), [&stop, raw = box.get()] {
            stop->setEnabled(false);
            raw->reject();
        });
    }
    box->exec();
}
