#pragma once
// The box that tells about an object found by name: what it is and where it stands, with a
// button to go to its next rising when it is below the horizon; for a name not known, the three
// closest names as buttons.
#include <optional>

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include "chart/found_object.h"

class QLabel;
class QPushButton;

namespace noctaris {

class FindInfoBox : public QDialog {
    Q_OBJECT
public:
    explicit FindInfoBox(QWidget* parent);

    void showReport(const FoundReport& report);
    void showUnknown(const QString& typed, const QStringList& closest);
    // The box's text as shown (title and lines), for tests.
    QString text() const;

signals:
    void goToTime(double jdUT);           // the "Go to rising" button
    void nameChosen(const QString& name);  // a suggestion clicked

private:
    void present();

    QLabel* title_ = nullptr;
    QLabel* body_ = nullptr;
    QPushButton* goButton_ = nullptr;
    QList<QPushButton*> suggestions_;
    std::optional<double> rise_;
    bool placed_ = false;
};

}  // namespace noctaris
