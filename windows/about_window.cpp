#include "windows/about_window.h"

#include <exception>

#include <QAction>
#include <QCoreApplication>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPalette>
#include <QPixmap>

#include "platform/pictures.h"
#include "windows/wincommon.h"

#ifndef NOCTARIS_VERSION
#define NOCTARIS_VERSION "0.0.0"
#endif

namespace noctaris {

namespace about {

QString VersionYear() {
    // __DATE__ is "Mmm dd yyyy"; builds that pin their date (SOURCE_DATE_EPOCH) stay reproducible.
    static const QString year = QString::fromLatin1(__DATE__).right(4);
    return year;
}

QString TitleText() { return "Noctaris\n" + VersionYear(); }

QString CreditsText() {
    return QCoreApplication::translate("AboutWindow",
                                       "Desktop planetarium\n"
                                       "Version %1\n"
                                       "Licence GPL-3.0+\n"
                                       "Sources: CREDITS.md")
        .arg(QStringLiteral(NOCTARIS_VERSION));
}

QString AcknowledgementText() {
    return QCoreApplication::translate("AboutWindow",
                                       "With thanks to Hipparcos, GeoNames, Natural\n"
                                       "Earth, VSOP87 and the USGS for their data.");
}

}  // namespace about

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int pixelSize, bool bold,
                  Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(align);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QFont f(WindowFontFamilyWithBold());  // the title is bold
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(true);
    label->setFont(f);
    return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutWindow");
    setWindowTitle(tr("About Noctaris"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    SetWhiteBackground(this);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    QFont formFont(WindowFontFamilyWithBold());
    formFont.setPixelSize(11);
    setFont(formFont);

    emblem_ = new QLabel(this);
    emblem_->setObjectName("emblem");
    emblem_->setFixedSize(69, 75);
    emblem_->setAttribute(Qt::WA_TranslucentBackground);
    try {
        // The emblem is twice the size it is shown at: stretch it down smoothly, and keep the
        // full resolution for screens with two device pixels per pixel.
        const QImage emblem = LoadPicture("emblem");
        const qreal dpr = devicePixelRatioF() > 1 ? 2.0 : 1.0;
        QPixmap pm = QPixmap::fromImage(emblem.scaled(QSize(69, 75) * dpr, Qt::IgnoreAspectRatio,
                                                      Qt::SmoothTransformation));
        pm.setDevicePixelRatio(dpr);
        emblem_->setPixmap(pm);
    } catch (const std::exception& e) {
        qWarning("%s", e.what());  // the window is complete without its emblem
    }

    title_ = MakeLabel(this, "title", about::TitleText(), 21, true, Qt::AlignRight | Qt::AlignTop);
    credits_ = MakeLabel(this, "credits", about::CreditsText(), 12, false, Qt::AlignRight | Qt::AlignTop);
    acknowledgement_ = MakeLabel(this, "acknowledgement", about::AcknowledgementText(), 12, false,
                                 Qt::AlignLeft | Qt::AlignTop);

    // The emblem at the left, title and credits right-aligned beside it, the thanks below; the
    // window grows with its texts (never below its designed size) and cannot be resized.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 12, 23, 12);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(10);
    grid->addWidget(emblem_, 0, 0, 2, 1, Qt::AlignCenter);
    grid->addWidget(title_, 0, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(credits_, 1, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(acknowledgement_, 2, 0, 1, 2, Qt::AlignLeft | Qt::AlignBottom);
    grid->setColumnMinimumWidth(0, 100);
    grid->setRowStretch(1, 1);
    setFixedSize(grid->sizeHint().expandedTo(QSize(322, 190)));
    grid->activate();

    // The popup menu is never shown; its two items stay hidden from the user and only lend
    // their shortcuts to the window (an action set invisible would lose its shortcut).
    shortcutMenu_ = new QMenu(this);
    shortcutMenu_->setObjectName("shortcutMenu");
    enterAction_ = shortcutMenu_->addAction("enter");
    enterAction_->setObjectName("enterAction");
    enterAction_->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    escapeAction_ = shortcutMenu_->addAction("esc");
    escapeAction_->setObjectName("escapeAction");
    escapeAction_->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QAction* a : {enterAction_, escapeAction_}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);  // the items belong to the window: Enter and Escape act anywhere in it
        connect(a, &QAction::triggered, this, &QWidget::close);
    }
}

}  // namespace noctaris
