#pragma once

#include "library/style_music_cache.h"
#include "platform/dialogs.h"

#include <QWidget>

class PatternView;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;

// Below the library's table: what the current row's style plays, one element and chord variation
// at a time, chosen from those it holds; or one line saying why nothing can be shown. Its
// picture can be saved as PNG or SVG.
class PatternPane : public QWidget {
    Q_OBJECT

public:
    PatternPane(const FileService &files, Dialogs &dialogs, QWidget *parent = nullptr);

    void showStyle(const StyleFile &file, const StyleEntry &style);
    void showNothing();

private:
    void showElement();
    void showVariation();
    void showWhy(const QString &why);
    void savePicture();

    const FileService &mFiles;
    Dialogs &mDialogs;
    StyleMusicCache mCache;
    std::optional<StyleMusic> mMusic;
    QString mPictureName;  // the picture's suggested name, after the style
    QComboBox *mElement = nullptr;
    QComboBox *mVariation = nullptr;
    QPushButton *mSave = nullptr;
    QStackedWidget *mShown = nullptr;
    PatternView *mView = nullptr;
    QLabel *mWhy = nullptr;
};
