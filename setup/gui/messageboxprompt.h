#pragma once

#include "setupprompt.h"

#include <QString>

#include <memory>

class QMessageBox;

// The setup programs' boxes as message boxes; without a window system their texts go to standard error.
// A stop request closes an open box.
class MessageBoxPrompt : public SetupPrompt {
public:
    void ShowUsage() override;
    void ShowTooManyInstances() override;

    static std::unique_ptr<QMessageBox> MakeUsageBox();
    static std::unique_ptr<QMessageBox> MakeTooManyInstancesBox();

private:
    static void Show(std::unique_ptr<QMessageBox> box);
};

constexpr unsigned kUsageTextString = 100;
constexpr unsigned kUsageTitleString = 101;
constexpr unsigned kTooManyInstancesTextString = 102;
constexpr unsigned kTooManyInstancesTitleString = 103;
