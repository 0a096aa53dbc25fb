#pragma once

#include "qstringprinter.h"
#include "widgettesting.h"  // SaveScreenshot

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

// Answers the modal dialogs that an action of the test opens (a click whose handler runs exec()): each
// one is handed to the handler, then rejected.
class ModalWatcher {
public:
    using Handler = std::function<void(QWidget*)>;

    explicit ModalWatcher(Handler handler = {}) : m_handler(std::move(handler))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            auto dialog = qobject_cast<QDialog*>(modal);
            if (!dialog || !dialog->isVisible())
                return;
            ++m_count;
            if (m_handler)
                m_handler(dialog);
            dialog->reject();
        });
        m_timer.start();
    }

    int Count() const { return m_count; }

private:
    Handler m_handler;
    QTimer m_timer;
    int m_count = 0;
};

// The message boxes an action shows.
struct SeenMessageBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder()
        : m_watcher([this](QWidget* modal) {
              if (auto box = qobject_cast<QMessageBox*>(modal))
                  m_seen.push_back({box->windowTitle(), box->text(), box->icon()});
          })
    {
    }

    const std::vector<SeenMessageBox>& Seen() const { return m_seen; }

private:
    std::vector<SeenMessageBox> m_seen;
    ModalWatcher m_watcher;
};
