#pragma once

// The boxes the setup programs show; the window form lives in setup/gui/.
class SetupPrompt {
public:
    virtual ~SetupPrompt() = default;
    // Helper's usage box.
    virtual void ShowUsage() = 0;
    // "Too many Instances": all 16 instance slots are taken.
    virtual void ShowTooManyInstances() = 0;
};
