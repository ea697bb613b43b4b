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
    const QString values[] = {captions.name, captions.size, captions.date, captions.family,
        captions.usable, captions.ghosts};
    for (std::size_t i = 0; i < mValues.size(); ++i) {
        // One blank on the side away from the value's alignment, as the cells were drawn.
        QLabel *cell = mValues[i];
        const QString &value = values[i];
        cell->setText(cell->alignment() & Qt::AlignLeft ? QLatin1Char(' ') + value
                                                        : value + QLatin1Char(' '));
        // A value cut by its cell (a long file name) can be read whole.
        const bool cut
            = cell->fontMetrics().horizontalAdvance(cell->text()) > cell->contentsRect().width();
        cell->setToolTip(cut ? value : QString());
        cell->setAccessibleDescription(value);  // a screen reader reads name and value
    }
}
