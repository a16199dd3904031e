#include "app/find_info_box.h"

#include <cmath>

#include <QHBoxLayout>
#include <QLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace noctaris {

FindInfoBox::FindInfoBox(QWidget* parent) : QDialog(parent) {
    setObjectName("findInfoBox");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    setWindowTitle(tr("Find"));
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);  // as large as what it tells
    title_ = new QLabel(this);
    title_->setObjectName("findTitle");
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    body_ = new QLabel(this);
    body_->setObjectName("findText");
    body_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(title_);
    column->addWidget(body_);
    auto* row = new QHBoxLayout;
    goButton_ = new QPushButton(tr("Go to its rising"), this);
    goButton_->setObjectName("findGoButton");
    connect(goButton_, &QPushButton::clicked, this, [this] {
        // The whole minute after the rising, so that the chart shows it risen.
        if (rise_) emit goToTime(std::ceil(*rise_ * 1440.0) / 1440.0);
    });
    row->addWidget(goButton_);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("findSuggestion%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, b] { emit nameChosen(b->text()); });
        suggestions_ << b;
        row->addWidget(b);
    }
    row->addStretch(1);
    column->addLayout(row);
}

void FindInfoBox::showReport(const FoundReport& report) {
    title_->setText(report.title);
    body_->setText(report.lines.join(QLatin1Char('\n')));
    rise_ = report.nextRise;
    goButton_->setVisible(rise_.has_value());
    for (QPushButton* b : suggestions_) b->hide();
    present();
}

void FindInfoBox::showUnknown(const QString& typed, const QStringList& closest) {
    title_->setText(tr("“%1” is not known").arg(typed));
    body_->setText(closest.isEmpty() ? QString() : tr("Did you mean one of these?"));
    rise_.reset();
    goButton_->hide();
    for (int i = 0; i < suggestions_.size(); ++i) {
        suggestions_[i]->setVisible(i < closest.size());
        if (i < closest.size()) suggestions_[i]->setText(closest[i]);
    }
    present();
}

QString FindInfoBox::text() const { return title_->text() + QLatin1Char('\n') + body_->text(); }

void FindInfoBox::present() {
    layout()->activate();  // the size of the new text, before the box is placed
    if (!placed_ && parentWidget()) {
        // Top right of the chart, out of the way of the toolbar.
        const QRect frame = parentWidget()->geometry();
        move(frame.right() - width() - 16, frame.top() + 64);
        placed_ = true;
    }
    show();
    raise();
}

}  // namespace noctaris
