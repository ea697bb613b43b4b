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

private:
    std::array<QLabel *, 6> mValues {};
};
