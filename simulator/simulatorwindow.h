#pragma once

#include "messagetarget.h"
#include "suiteipc.h"

#include <QObject>

#include <cstdint>
#include <memory>

// What stands for the simulator's window: the owner of the window class "Simulvex", by which the console
// finds a running simulator, and the target of messages posted to it. ID_FILE_CLOSE (WM_COMMAND 57602),
// with which the updater closes the suite's programs, asks the simulator to end.
class SimulatorWindow : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kWindowClass = "Simulvex";
    static constexpr std::uint64_t kFileCloseCommand = 57602;

    SimulatorWindow();
    ~SimulatorWindow() override;

    // False while another simulator holds the class for this suite folder.
    bool Register();

signals:
    void CloseRequested();

protected:
    bool event(QEvent* event) override;

private:
    QtMessageTarget m_target{this};
    MessageMap m_messages;
    std::unique_ptr<SuiteIpc::Registration> m_registration;
};
