#pragma once

// What a load needs from whoever shows the loaded file.
class LoadView {
public:
    virtual ~LoadView() = default;

    virtual void SetReportCommandsEnabled(bool enabled) = 0;
    virtual void ShowFileInfo() = 0;
};
