#include "windows/about_window.h"

#include <exception>

#include <QAction>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QPixmap>

#include "chart/canvas.h"
#include "platform/pictures.h"
#include "resources/embedded.h"

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
    return QStringLiteral("Desktop planetarium\n"
                          "Version " NOCTARIS_VERSION "\n"
                          "Licence GPL-3.0+\n"
                          "Sources: CREDITS.md");
}

QString AcknowledgementText() {
    return QStringLiteral("With thanks to Hipparcos, GeoNames, Natural\n"
                          "Earth, VSOP87 and the USGS for their data.");
}

}  // namespace about

namespace {

// The bundled sans-serif family with its bold face (the title is bold).
QString AboutFontFamily() {
    static const QString family = [] {
        const QString f = ChartFontFamily();
        const auto bold = FindEmbedded("DejaVuSans-Bold");
        if (!bold.empty())
            QFontDatabase::addApplicationFontFromData(QByteArray(
                reinterpret_cast<const char*>(bold.data()), static_cast<qsizetype>(bold.size())));
        return f;
    }();
    return family;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry, int pixelSize, bool bold,
                  Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QFont f(AboutFontFamily());
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(true);
    label->setFont(f);
    return label;
}

}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutWindow");
    setWindowTitle("About ...");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(322, 190);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    QFont formFont(AboutFontFamily());
    formFont.setPixelSize(11);
    setFont(formFont);

    I1 = new QLabel(this);
    I1->setObjectName("I1");
    I1->setGeometry(36, 27, 69, 75);
    I1->setAttribute(Qt::WA_TranslucentBackground);
    try {
        // The emblem is twice the size it is shown at: stretch it down smoothly, and keep the
        // full resolution for screens with two device pixels per pixel.
        const QImage emblem = LoadPicture("emblem");
        const qreal dpr = devicePixelRatioF() > 1 ? 2.0 : 1.0;
        QPixmap pm = QPixmap::fromImage(emblem.scaled(QSize(69, 75) * dpr, Qt::IgnoreAspectRatio,
                                                      Qt::SmoothTransformation));
        pm.setDevicePixelRatio(dpr);
        I1->setPixmap(pm);
    } catch (const std::exception& e) {
        qWarning("%s", e.what());  // the window is complete without its emblem
    }

    L1 = MakeLabel(this, "L1", about::TitleText(), QRect(157, 12, 140, 50), 21, true, Qt::AlignRight | Qt::AlignTop);
    L3 = MakeLabel(this, "L3", about::CreditsText(), QRect(134, 75, 163, 56), 12, false,
                   Qt::AlignRight | Qt::AlignTop);
    Label1 = MakeLabel(this, "Label1", about::AcknowledgementText(), QRect(16, 144, 283, 28), 12, false,
                       Qt::AlignLeft | Qt::AlignTop);

    // The popup menu is never shown; its two items stay hidden from the user and only lend
    // their shortcuts to the window (an action set invisible would lose its shortcut).
    P1 = new QMenu(this);
    P1->setObjectName("P1");
    enter = P1->addAction("enter");
    enter->setObjectName("enter");
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    esc = P1->addAction("esc");
    esc->setObjectName("esc");
    esc->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QAction* a : {enter, esc}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);  // the items belong to the window: Enter and Escape act anywhere in it
        connect(a, &QAction::triggered, this, &AboutWindow::B1C);
    }
    FormCreate();
}

void AboutWindow::B1C() { close(); }

}  // namespace noctaris
