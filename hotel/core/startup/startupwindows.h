#pragma once

#include "hoteltablesetup.h"

#include <QString>

#include <optional>

namespace lodgix {

class CHotelDatabase;

// What the windows do for the hotel program's start-up: the splash's progress text, the first-run
// questions and dialogs, the login, the hotel wizard and the messages. The start-up knows only this.
class StartupWindows {
public:
    enum class Icon { Exclamation, Information, Error };

    struct OperatorEntry {
        QString userName;
        QString password;
        bool administrator = false;
    };

    virtual ~StartupWindows() = default;

    virtual void ShowProgress(const QString& text) = 0;
    virtual bool AskYesNo(const QString& text, Icon icon) = 0;
    virtual void ShowMessage(const QString& text, Icon icon) = 0;
    // The administrator password dialog: the typed text (empty for Cancel).
    virtual QString AskAdministratorPassword() = 0;
    // The operator dialog with an empty user name; none for Cancel.
    virtual std::optional<OperatorEntry> AskFirstOperator() = 0;
    // The login dialog: user name and password; none for Cancel.
    virtual std::optional<OperatorEntry> AskLogin() = 0;
    // The hotel configuration wizard: the new hotel with its id, texts and rooms; none for Cancel.
    virtual std::optional<CurrentHotel> RunHotelWizard(CHotelDatabase& database) = 0;
    // The failure exit with its start-up code: the splash goes, then the error box with this caption and
    // text.
    virtual void ShowFailure(int code, const QString& caption, const QString& text) = 0;
    // True once the program was told to end (a termination signal closes the open box): the start-up
    // asks after every question and then stops without a failure box.
    virtual bool EndRequested() const = 0;
};

}  // namespace lodgix
