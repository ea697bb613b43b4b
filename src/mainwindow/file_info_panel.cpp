#include "file_info_panel.h"

#include "fixed_cell.h"
#include "main_window_layout.h"

#include <QLabel>

namespace {
// For tests and, with the field names, for screen readers.
const char *const ValueNames[6]
    = {"fileName", "fileSize", "fileDate", "fileFormat", "usableStyles", "ghostStyles"};
}  // namespace

FileInfoPanel::FileInfoPanel(QWidget *parent) : QGroupBox(tr(" File informations "), parent)
{
    setGeometry(twipsRect(0, 1395, 3075, 2085));
    for (int i = 0; i < 6; ++i) {
        const int top = 240 + 300 * i;
        (void)fixedCell(this, twipsRect(120, top, FieldNameWidth, 255), LightGrey, Qt::AlignRight,
            tr(FieldNames[i]));
        const Qt::Alignment alignment = (i == 0 || i == 3) ? Qt::AlignLeft : Qt::AlignRight;
        mValues[std::size_t(i)]
            = fixedCell(this, twipsRect(1320, top, DataWidths[i], 255), White, alignment);
        mValues[std::size_t(i)]->setObjectName(QLatin1String(ValueNames[i]));
        mValues[std::size_t(i)]->setAccessibleName(tr(FieldNames[i]).trimmed());
    }
}

void FileInfoPanel::showCaptions(const FileInfoCaptions &captions)
{
    for (std::size_t i = 0; i < captions.size(); ++i) {
        mValues[i]->setText(captions[i]);
        // A value cut by its cell (a long file name) can be read whole.
        const bool cut = mValues[i]->fontMetrics().horizontalAdvance(captions[i])
            > mValues[i]->contentsRect().width();
        mValues[i]->setToolTip(cut ? captions[i].trimmed() : QString());
        mValues[i]->setAccessibleDescription(
            captions[i].trimmed());  // a screen reader reads name and value
    }
}

FileInfoCaptions FileInfoPanel::captions() const
{
    FileInfoCaptions captions;
    for (std::size_t i = 0; i < captions.size(); ++i)
        captions[i] = mValues[i]->text();
    return captions;
}
