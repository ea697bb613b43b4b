#pragma once

#include "reports/file_info_captions.h"

#include <QGroupBox>

class QLabel;

// " File informations ": the loaded file's six facts beside their field names.
class FileInfoPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit FileInfoPanel(QWidget *parent = nullptr);

    void showCaptions(const FileInfoCaptions &captions);
    // What the panel shows now; the reports repeat it.
    [[nodiscard]] FileInfoCaptions captions() const;

private:
    std::array<QLabel *, 6> mValues {};
};
