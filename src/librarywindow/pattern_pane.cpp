#include "pattern_pane.h"

#include "pattern_view.h"
#include "platform/file_error.h"

#include <QBuffer>
#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QSvgGenerator>

PatternPane::PatternPane(const FileService &files, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), mFiles(files), mDialogs(dialogs), mCache(files)
{
    auto *elementLabel = new QLabel(tr("E&lement:"), this);
    mElement = new QComboBox(this);
    mElement->setAccessibleName(tr("Element"));
    mElement->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    mElement->setMinimumContentsLength(int(tr("Variation 1").size()));
    elementLabel->setBuddy(mElement);
    auto *variationLabel = new QLabel(tr("C&hord variation:"), this);
    mVariation = new QComboBox(this);
    mVariation->setAccessibleName(tr("Chord variation"));
    variationLabel->setBuddy(mVariation);
    mSave = new QPushButton(tr("Sa&ve Picture..."), this);
    mSave->setObjectName(QStringLiteral("savePictureButton"));
    connect(mElement, &QComboBox::currentIndexChanged, this, &PatternPane::showElement);
    connect(mVariation, &QComboBox::currentIndexChanged, this, &PatternPane::showVariation);
    connect(mSave, &QPushButton::clicked, this, &PatternPane::savePicture);

    mView = new PatternView(this);
    mWhy = new QLabel(this);
    mWhy->setObjectName(QStringLiteral("patternWhy"));
    mWhy->setAlignment(Qt::AlignCenter);
    mWhy->setWordWrap(true);
    mShown = new QStackedWidget(this);
    mShown->addWidget(mView);
    mShown->addWidget(mWhy);

    auto *choosers = new QHBoxLayout;
    choosers->addWidget(elementLabel);
    choosers->addWidget(mElement);
    choosers->addWidget(variationLabel);
    choosers->addWidget(mVariation);
    choosers->addStretch(1);
    choosers->addWidget(mSave);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins({});
    layout->addLayout(choosers);
    layout->addWidget(mShown, 1);
    showNothing();
}

void PatternPane::showNothing()
{
    mMusic.reset();
    mElement->clear();
    showWhy(tr("Choose a style to see what it plays."));
}

// The elements that hold music, in the instrument's order.
void PatternPane::showStyle(const StyleFile &file, const StyleEntry &style)
{
    StyleMusicCache::Found found = mCache.find(file, style);
    mMusic = std::move(found.music);
    mPictureName = QStringLiteral("%1 %2.png").arg(file.name(), style.nameText().trimmed());
    const QSignalBlocker quiet(mElement);
    mElement->clear();
    for (const StyleElement element : elementsInOrder()) {
        for (int i = 0; mMusic && i < mMusic->elements.size(); ++i) {
            if (mMusic->elements[i].element == element && !mMusic->elements[i].variations.isEmpty())
                mElement->addItem(elementTitle(element), int(i));
        }
    }
    if (!mMusic)
        return showWhy(found.why);
    if (mElement->count() == 0)
        return showWhy(tr("This style holds no music."));
    showElement();
}

void PatternPane::showElement()
{
    const QSignalBlocker quiet(mVariation);
    mVariation->clear();
    if (!mMusic || mElement->currentIndex() < 0)
        return;
    const ElementMusic &element = mMusic->elements[mElement->currentData().toInt()];
    for (const ChordVariation &variation : element.variations)
        mVariation->addItem(QString::number(variation.number));
    showVariation();
}

void PatternPane::showVariation()
{
    if (!mMusic || mElement->currentIndex() < 0 || mVariation->currentIndex() < 0)
        return;
    const ElementMusic &element = mMusic->elements[mElement->currentData().toInt()];
    const ChordVariation &variation = element.variations[mVariation->currentIndex()];
    if (variation.problem != MusicProblem::None)
        return showWhy(musicProblemMessage(variation.problem, 0, element.element, variation.number)
                           .section(QStringLiteral(": "), 1));
    const PatternLayout layout = layoutPattern(element, variation);
    if (layout.lanes.isEmpty())
        return showWhy(tr("This chord variation plays nothing."));
    mView->showPattern(layout, patternSummary(element.element, variation.number, layout));
    mShown->setCurrentWidget(mView);
    mSave->setEnabled(true);
}

void PatternPane::showWhy(const QString &why)
{
    mWhy->setText(why);
    mWhy->setAccessibleName(why);
    mShown->setCurrentWidget(mWhy);
    mSave->setEnabled(false);
}

// As PNG at the pane's size and the screen's scale, or as SVG when the name ends so.
void PatternPane::savePicture()
{
    const QString path = mDialogs.choosePictureFile(mPictureName,
        fileFilter(tr("PNG pictures"), u"png") + QLatin1Char('\n')
            + fileFilter(tr("SVG drawings"), u"svg"),
        window());
    if (path.isEmpty())
        return;
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&picture);
        svg.setSize(mView->size());
        svg.setViewBox(mView->rect());
        svg.setTitle(mView->accessibleDescription());
        QPainter painter(&svg);
        mView->paintPattern(painter, mView->rect());
    } else {
        QImage image(mView->size() * mView->devicePixelRatioF(), QImage::Format_ARGB32);
        image.setDevicePixelRatio(mView->devicePixelRatioF());
        {
            QPainter painter(&image);
            mView->paintPattern(painter, mView->rect());
        }
        image.save(&picture, "PNG");
    }
    try {
        const auto writer = mFiles.createTextFile(path);
        writer->write(picture.data());
        writer->commit();
    } catch (const FileError &error) {
        mDialogs.showMessage(error.writeProblem().message());
    }
}
