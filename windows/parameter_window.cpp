#include "windows/parameter_window.h"

#include <exception>

#include <QBoxLayout>
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
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setFont(WindowFont(layout.fontPixels));
    SetWhiteBackground(this);

    // Photograph, name and fixed data on the left, the report on the right; each text box grows
    // with its text, so longer translations and larger fonts fit.
    photo_ = new QLabel(this);
    photo_->setObjectName(QStringLiteral("photo"));
    photo_->setMinimumSize(layout.photo.size());
    photo_->setAlignment(Qt::AlignCenter);

    nameLabel_ = new QLabel(layout.name, this);
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));
    nameLabel_->setFont(WindowFont(16, true));
    nameLabel_->setStyleSheet(QStringLiteral("color: #000080"));
    nameLabel_->setAlignment(Qt::AlignCenter);

    reportText_ = MakeTextBox(this, "reportText", QRect());
    reportText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    reportSize_ = layout.reportBox.size();
    reportText_->setMinimumSize(reportSize_);
    TextBoxStyle fixedStyle;
    fixedStyle.readOnly = !layout.fixedDataEditable;
    fixedDataText_ = MakeTextBox(this, "fixedDataText", QRect(), fixedStyle);
    fixedDataText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    fixedDataText_->setPlainText(layout.fixedData.join('\n'));
    FitTextBox(fixedDataText_, layout.fixedDataBox.size());

    auto* left = new QVBoxLayout;
    left->addWidget(photo_);
    left->addWidget(nameLabel_);
    left->addWidget(fixedDataText_, 1);
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->addLayout(left);
    columns->addWidget(reportText_, 1);
    resize(layout.size);

    // The report box is redrawn off-screen by the toolkit already (every widget is
    // double-buffered).
    try {
        picture_ = LoadPicture(layout.picture.toStdString());
        photo_->setPixmap(QPixmap::fromImage(picture_));
    } catch (const std::exception& e) {
        qWarning("%s: %s", qUtf8Printable(layout.title), e.what());
    }
}

void ParameterWindow::refresh() {
    if (snapshot_ == nullptr || observer_ == nullptr) return;
    report_.Rebuild(this, reportText_, [&] { return buildReport(*snapshot_, *observer_); });
    FitTextBox(reportText_, reportSize_);
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
