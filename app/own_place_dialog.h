#pragma once
// "Add place…": a place of the user's own, with its name, coordinates (decimal degrees, or
// degrees, minutes and seconds with a hemisphere letter) and IANA time zone. The zone of the
// nearest listed place is chosen as the coordinates are typed, until the user picks one.
#include <optional>

#include <QDialog>
#include <QStringList>

#include "catalog/catalog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace noctaris {

class OwnPlaceDialog : public QDialog {
    Q_OBJECT
public:
    // `takenNames`: the names in the place box, which a new place may not take.
    OwnPlaceDialog(const Catalogs& catalogs, QStringList takenNames, QWidget* parent = nullptr);

    // What is wrong with the input (shown in the dialog), or an empty text when it makes a place.
    QString problem() const;
    // The place the input makes, or nothing.
    std::optional<Place> place() const;

    void accept() override;  // only with good input; otherwise the problem is shown

private:
    void followCoordinates();

    const Catalogs& catalogs_;
    QStringList takenNames_;
    QLineEdit* name_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QComboBox* zone_ = nullptr;
    QLabel* message_ = nullptr;
    bool zoneChosen_ = false;  // the user picked a zone: the coordinates no longer change it
};

}  // namespace noctaris
