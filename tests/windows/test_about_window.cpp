// The About window: its texts fit their labels, the emblem shows, Enter and Escape close it.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <gtest/gtest.h>

#include "window_tests.h"
#include "windows/about_window.h"

using namespace noctaris;
using test::Child;

namespace {

void SaveGrab(const QImage& image, const char* name) {
    const QString dir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    if (!dir.isEmpty()) image.save(QDir(dir).filePath(name));
}

// Shows the window and makes it the active one, as a modal dialog would be.
void ShowActive(AboutWindow& w) {
    w.show();
    w.activateWindow();
    for (int i = 0; i < 20 && QApplication::activeWindow() != &w; ++i) QApplication::processEvents();
}

// A key press as the keyboard sends it to the focused widget (or the window itself).
void PressKey(AboutWindow& w, int key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    QApplication::processEvents();
}

}  // namespace

TEST(AboutWindow, TextsAndLayout) {
    AboutWindow w;
    EXPECT_EQ(w.windowTitle(), "About Noctaris");
    EXPECT_EQ(w.size(), QSize(322, 190));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::white));

    // The title has two lines and ends with the year of the version; the credits name the
    // version and where the data sources are listed.
    QLabel* const titleLabel = Child<QLabel>(w, "title");
    QLabel* const credits = Child<QLabel>(w, "credits");
    QLabel* const acknowledgement = Child<QLabel>(w, "acknowledgement");
    QLabel* const emblem = Child<QLabel>(w, "emblem");
    const QStringList title = titleLabel->text().split('\n');
    ASSERT_EQ(title.size(), 2);
    EXPECT_EQ(title[1], about::VersionYear());
    EXPECT_EQ(about::VersionYear().size(), 4);
    EXPECT_GE(about::VersionYear().toInt(), 2024);
    EXPECT_EQ(credits->text().split('\n').size(), 4);
    EXPECT_TRUE(credits->text().contains(NOCTARIS_VERSION));
    EXPECT_TRUE(credits->text().contains("CREDITS.md"));
    EXPECT_EQ(acknowledgement->text().split('\n').size(), 2);

    struct Box {
        QLabel* label;
        int pixelSize;
    };
    const QRect window(QPoint(0, 0), w.size());
    for (const Box& b : {Box{titleLabel, 21}, Box{credits, 12}, Box{acknowledgement, 12}}) {
        SCOPED_TRACE(b.label->objectName().toStdString());
        EXPECT_EQ(b.label->font().pixelSize(), b.pixelSize);
        EXPECT_TRUE(b.label->font().italic());
        // Every line fits the label, the label the window, and no label covers another or the emblem.
        const QRect box = b.label->geometry();
        const QFontMetrics fm(b.label->font());
        const QStringList lines = b.label->text().split('\n');
        for (const QString& line : lines) EXPECT_LE(fm.horizontalAdvance(line), box.width()) << line.toStdString();
        EXPECT_LE(fm.height() * lines.size(), box.height() + fm.leading() + 2);
        EXPECT_TRUE(window.contains(box));
        EXPECT_FALSE(box.intersects(emblem->geometry()));
        for (QLabel* other : {titleLabel, credits, acknowledgement}) {
            if (other != b.label) {
                EXPECT_FALSE(box.intersects(other->geometry())) << other->objectName().toStdString();
            }
        }
    }
    EXPECT_TRUE(titleLabel->font().bold());
    EXPECT_TRUE(titleLabel->alignment() & Qt::AlignRight);
    EXPECT_TRUE(credits->alignment() & Qt::AlignRight);

    EXPECT_EQ(emblem->size(), QSize(69, 75));
    EXPECT_TRUE(window.contains(emblem->geometry()));
    ASSERT_FALSE(emblem->pixmap().isNull());
    EXPECT_EQ(emblem->pixmap().deviceIndependentSize().toSize(), QSize(69, 75));
}

TEST(AboutWindow, LooksRight) {
    AboutWindow w;
    w.show();
    const QImage img = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    SaveGrab(img, "about.png");
    // White background around the emblem; the emblem itself is coloured.
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 255, 255));
    int coloured = 0;
    const QRect emblem = Child<QLabel>(w, "emblem")->geometry();
    for (int y = emblem.top(); y <= emblem.bottom(); ++y)
        for (int x = emblem.left(); x <= emblem.right(); ++x) coloured += QColor(img.pixel(x, y)).saturation() > 80;
    EXPECT_GT(coloured, 69 * 75 / 3);
    w.close();
}

TEST(AboutWindow, PopupItemsCarryEnterAndEscape) {
    AboutWindow w;
    QMenu* const menu = Child<QMenu>(w, "shortcutMenu");
    QAction* const enter = Child<QAction>(w, "enterAction");
    QAction* const esc = Child<QAction>(w, "escapeAction");
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(enter->text(), "enter");
    EXPECT_EQ(esc->text(), "esc");
    EXPECT_TRUE(enter->shortcuts().contains(QKeySequence(Qt::Key_Return)));
    EXPECT_TRUE(enter->shortcuts().contains(QKeySequence(Qt::Key_Enter)));
    EXPECT_EQ(esc->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_TRUE(w.actions().contains(enter));
    EXPECT_TRUE(w.actions().contains(esc));
}

TEST(AboutWindow, EnterOrEscapeCloses) {
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        AboutWindow w;
        ShowActive(w);
        ASSERT_TRUE(w.isVisible());
        PressKey(w, key);
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(AboutWindow, OtherKeysKeepItOpen) {
    AboutWindow w;
    ShowActive(w);
    PressKey(w, Qt::Key_A);
    PressKey(w, Qt::Key_Space);
    EXPECT_TRUE(w.isVisible());
    Child<QAction>(w, "escapeAction")->trigger();
    EXPECT_FALSE(w.isVisible());
}

TEST(AboutWindow, ClosingEndsTheModalLoop) {
    // The main window shows the dialog with exec(); closing must finish it with a result.
    AboutWindow w;
    int finished = -1;
    QObject::connect(&w, &QDialog::finished, [&](int r) { finished = r; });
    w.open();
    ShowActive(w);
    PressKey(w, Qt::Key_Return);
    EXPECT_EQ(finished, QDialog::Rejected);
    EXPECT_FALSE(w.isVisible());
}
