#pragma once

#include "widgettesting.h"

#include <QMessageBox>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

namespace lodgix {

// Answers the modal windows an action opens, in the order they open, one answer each; a window without an
// answer left is cancelled. Several answerers take turns, so that a window opened while another is being
// answered (a message box behind an OK) is answered too. The message boxes' texts are kept.
class ModalScript {
public:
    using Answer = std::function<void(QDialog*)>;

    explicit ModalScript(std::deque<Answer> answers) : m_answers(std::move(answers))
    {
        for (auto& answerer : m_answerers)
            answerer = std::make_unique<ModalAnswerer>([this](QDialog* shown) { Next(shown); });
    }

    const QStringList& Boxes() const { return m_boxes; }
    int Left() const { return static_cast<int>(m_answers.size()); }

    // A message box's button.
    static Answer Press(QMessageBox::StandardButton button)
    {
        return [button](QDialog* shown) { PressButton(shown, button); };
    }
    static Answer Yes() { return Press(QMessageBox::Yes); }
    static Answer No() { return Press(QMessageBox::No); }
    static Answer Ok() { return Press(QMessageBox::Ok); }

private:
    void Next(QDialog* shown)
    {
        if (auto box = qobject_cast<QMessageBox*>(shown))
            m_boxes << box->text();
        if (m_answers.empty())
            return;
        Answer answer = std::move(m_answers.front());
        m_answers.pop_front();
        answer(shown);
    }

    std::deque<Answer> m_answers;
    QStringList m_boxes;
    std::unique_ptr<ModalAnswerer> m_answerers[3];
};

}  // namespace lodgix
