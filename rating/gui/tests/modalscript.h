#pragma once

#include "widgettesting.h"

#include <QLineEdit>
#include <QMessageBox>

#include <functional>
#include <vector>

// Answers the modal windows an action opens, in the order they open, one step each, and stops after the
// last step (a later script takes the windows that follow). A step runs from a timer of its own, so that
// a window it opens in turn (a message box behind an OK) is answered by the next step while it runs.
class ModalScript {
public:
    using Step = std::function<void(QDialog*)>;

    explicit ModalScript(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || dialog->property(kAnswered).toBool())
                return;
            dialog->setProperty(kAnswered, true);
            Step step = m_steps[m_next++];
            if (m_next == m_steps.size())
                m_timer.stop();
            QTimer::singleShot(0, dialog, [step, dialog] { step(dialog); });
        });
        if (!m_steps.empty())
            m_timer.start();
    }
    std::size_t Done() const { return m_next; }

private:
    static constexpr const char* kAnswered = "answeredByScript";
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QTimer m_timer;
};

template <typename Control>
Control* Find(QWidget* parent, int id)
{
    return parent->findChild<Control*>(QString::number(id));
}

inline void SetEditText(QWidget* dialog, int id, const QString& text)
{
    Find<QLineEdit>(dialog, id)->setText(text);
}

inline void Click(QWidget* dialog, int id)
{
    Find<QAbstractButton>(dialog, id)->click();
}

// A step that records a message box's text and presses its button of that role.
inline ModalScript::Step Answer(QString& text, QMessageBox::StandardButton button = QMessageBox::Ok)
{
    return [&text, button](QDialog* dialog) {
        if (auto box = qobject_cast<QMessageBox*>(dialog))
            text = box->text();
        PressButton(dialog, button);
    };
}
