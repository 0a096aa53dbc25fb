#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

// Saves a picture under <build>/screenshots/<name>.png (the test's SUITE_SCREENSHOT_DIR), where a
// person looks at what a window shows.
inline bool SaveScreenshot(const QImage& image, const QString& name)
{
    const QString folder = QStringLiteral(SUITE_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    return image.save(folder + u'/' + name + QStringLiteral(".png"));
}

inline bool SaveScreenshot(QWidget& widget, const QString& name)
{
    return SaveScreenshot(widget.grab().toImage(), name);
}

// Answers the modal windows that an action of the test opens (a handler that runs exec()): each one is
// handed to `answer`, which closes it (or leaves it to be rejected).
class ModalAnswerer {
public:
    using Answer = std::function<void(QDialog*)>;

    explicit ModalAnswerer(Answer answer) : m_answer(std::move(answer))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || dialog->property(kAnswered).toBool())
                return;
            dialog->setProperty(kAnswered, true);
            ++m_count;
            m_answer(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_timer.start();
    }

    int Count() const { return m_count; }

private:
    Answer m_answer;
    QTimer m_timer;
    static constexpr const char* kAnswered = "answeredByTest";
    int m_count = 0;
};

// Presses the message box's button of that role.
inline void PressButton(QDialog* dialog, QMessageBox::StandardButton button)
{
    if (auto box = qobject_cast<QMessageBox*>(dialog); box && box->button(button))
        box->button(button)->click();
}

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
