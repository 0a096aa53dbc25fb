#include "startupsignaltarget.h"

#include "startupreport.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMetaObject>

namespace {

// Ends a modal box as its Cancel would, once the event loop it runs in gets the chance.
void CloseModal(QWidget* widget)
{
    if (auto* dialog = qobject_cast<QDialog*>(widget))
        QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
    else
        QMetaObject::invokeMethod(widget, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace

StartupSignalTarget::StartupSignalTarget(MessageTarget& window) : m_window(window)
{
    if (qApp)
        qApp->installEventFilter(this);
}

StartupSignalTarget::~StartupSignalTarget()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void StartupSignalTarget::WindowReady()
{
    m_windowReady = true;
    if (qApp)
        qApp->removeEventFilter(this);
}

void StartupSignalTarget::Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    if (m_windowReady) {
        m_window.Post(message, wParam, lParam);
        return;
    }
    if (m_terminating)
        return;
    m_terminating = true;
    // Every box shown from now on is closed as soon as it shows; the one shown now is closed at once.
    if (QWidget* modal = QApplication::activeModalWidget())
        CloseModal(modal);
}

bool StartupSignalTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal()) {
            if (m_terminating)
                CloseModal(widget);
            else
                ReportStartup(QStringLiteral("start-up waits in a box: ") + widget->windowTitle());
        }
    }
    return false;
}
