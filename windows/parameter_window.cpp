#include "windows/parameter_window.h"

#include <exception>

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>

#include "platform/pictures.h"
#include "windows/wincommon.h"

namespace noctaris {

ParameterWindow::ParameterWindow(const ParameterWindowLayout& layout, const InfoSnapshot* snapshot,
                                 const ObserverState* observer, QWidget* parent)
    : QDialog(parent), snapshot_(snapshot), observer_(observer) {
    setObjectName(layout.objectName);
    setWindowTitle(layout.title);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setFixedSize(layout.size);
    setFont(WindowFont(layout.fontPixels));
    SetWhiteBackground(this);

    photo_ = new QLabel(this);
    photo_->setObjectName(QStringLiteral("photo"));
    photo_->setGeometry(layout.photo);

    nameLabel_ = new QLabel(layout.name, this);
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));
    nameLabel_->setFont(WindowFont(16, true));
    nameLabel_->setStyleSheet(QStringLiteral("color: #000080"));
    nameLabel_->move(layout.nameAt);
    nameLabel_->adjustSize();

    reportText_ = MakeTextBox(this, "reportText", layout.reportBox);
    TextBoxStyle fixedStyle;
    fixedStyle.readOnly = !layout.fixedDataEditable;
    fixedDataText_ = MakeTextBox(this, "fixedDataText", layout.fixedDataBox, fixedStyle);
    fixedDataText_->setPlainText(layout.fixedData.join('\n'));

    // The report box is redrawn off-screen by the toolkit already (every widget is
    // double-buffered).
    try {
        picture_ = LoadPicture(layout.picture.toStdString());
        photo_->setPixmap(QPixmap::fromImage(picture_));
        photo_->resize(picture_.size());  // sized to the picture
    } catch (const std::exception& e) {
        qWarning("%s: %s", qUtf8Printable(layout.title), e.what());
    }
}

void ParameterWindow::refresh() {
    if (snapshot_ == nullptr || observer_ == nullptr) return;
    report_.Rebuild(this, reportText_, [&] { return buildReport(*snapshot_, *observer_); });
    refreshPhoto();
}

void ParameterWindow::showPhoto(const QImage& image) { photo_->setPixmap(QPixmap::fromImage(image)); }

void ParameterWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refresh();
}

void ParameterWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Also when the window system does not activate the shown window.
    refresh();
}

}  // namespace noctaris
