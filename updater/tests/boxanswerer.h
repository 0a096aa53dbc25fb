#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <vector>

// Answers the message boxes a dialog opens while the test's event loop runs, and remembers them.
class BoxAnswerer {
public:
    struct Box {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };
    // Chooses the button for a box; it may also change the world before the answer.
    using Answer = std::function<QMessageBox::StandardButton(const Box&)>;

    explicit BoxAnswerer(Answer answer) : m_answer(std::move(answer))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            const Box seen{box->windowTitle(), box->text(), box->icon()};
            m_seen.push_back(seen);
            QAbstractButton* button = box->button(m_answer(seen));
            if (button)
                button->click();
            else
                box->reject();
        });
        m_timer.start();
    }

    const std::vector<Box>& Seen() const { return m_seen; }

private:
    Answer m_answer;
    QTimer m_timer;
    std::vector<Box> m_seen;
};
