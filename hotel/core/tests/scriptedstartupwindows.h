#pragma once

#include "engineerrorcode.h"
#include "hoteldatabase.h"
#include "startupwindows.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

namespace lodgix {

// The windows of the hotel program's start-up for tests: answers given in advance, what was shown kept.
class ScriptedWindows : public StartupWindows {
public:
    void ShowProgress(const QString& text) override { progress << text; }
    bool AskYesNo(const QString& text, Icon) override
    {
        ++asked;
        questions << text;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowMessage(const QString& text, Icon icon) override
    {
        ++asked;
        messages << text;
        icons.push_back(icon);
    }
    QString AskAdministratorPassword() override
    {
        ++asked;
        return administratorPassword;
    }
    std::optional<OperatorEntry> AskFirstOperator() override
    {
        ++asked;
        return firstOperator;
    }
    std::optional<OperatorEntry> AskLogin() override
    {
        ++asked;
        ++loginDialogs;
        if (logins.empty())
            return std::nullopt;
        // Copied out of an engaged optional only: g++ 12 at -O3 takes the copy of a possibly empty one for a
        // read of uninitialised strings.
        const bool cancelled = !logins.front().has_value();
        OperatorEntry entry = cancelled ? OperatorEntry{} : *logins.front();
        logins.pop_front();
        if (cancelled)
            return std::nullopt;
        return entry;
    }
    std::optional<CurrentHotel> RunHotelWizard(CHotelDatabase& database) override
    {
        ++asked;
        ++wizardRuns;
        if (!wizardCreates)
            return std::nullopt;
        CurrentHotel created;
        created.hotel.name = QStringLiteral("Hotel Nuovo");
        EXPECT_EQ(database.InsertHotel(created.hotel, 0, created.id), kNoError);
        return created;
    }
    void ShowFailure(int code, const QString& caption, const QString& text) override
    {
        failureCode = code;
        failureCaption = caption;
        failureText = text;
    }
    // A termination signal arrives while the question of that number (from 1) is open.
    bool EndRequested() const override { return endAtQuestion > 0 && asked >= endAtQuestion; }

    std::deque<bool> answers;
    QString administratorPassword;
    std::optional<OperatorEntry> firstOperator;
    std::deque<std::optional<OperatorEntry>> logins;
    bool wizardCreates = false;
    QStringList progress, questions, messages;
    std::vector<Icon> icons;
    int loginDialogs = 0;
    int wizardRuns = 0;
    int asked = 0;          // questions, dialogs and messages shown
    int endAtQuestion = 0;  // 0: never
    int failureCode = 0;
    QString failureCaption, failureText;
};

}  // namespace lodgix
