#include "app/own_place_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include "catalog/place_input.h"

namespace noctaris {
namespace {

QString CoordinateProblem(CoordinateError e, CoordinateAxis axis) {
    const bool lat = axis == CoordinateAxis::kLatitude;
    switch (e) {
    case CoordinateError::kNone: break;
    case CoordinateError::kEmpty:
        return lat ? OwnPlaceDialog::tr("Please enter the latitude.") : OwnPlaceDialog::tr("Please enter the longitude.");
    case CoordinateError::kSyntax:
        return lat ? OwnPlaceDialog::tr("The latitude is not a number of degrees (for example 50.84 or 50° 50′ 12″ N).")
                   : OwnPlaceDialog::tr("The longitude is not a number of degrees (for example 12.85 or 12° 51′ 16″ E).");
    case CoordinateError::kHemisphere:
        return lat ? OwnPlaceDialog::tr("A latitude takes N or S (and then no sign).")
                   : OwnPlaceDialog::tr("A longitude takes E or W (and then no sign).");
    case CoordinateError::kMinutes: return OwnPlaceDialog::tr("Minutes and seconds must be less than 60.");
    case CoordinateError::kOutOfRange:
        return lat ? OwnPlaceDialog::tr("The latitude must lie between 90° S and 90° N.")
                   : OwnPlaceDialog::tr("The longitude must lie between 180° W and 180° E.");
    }
    return {};
}

}  // namespace

OwnPlaceDialog::OwnPlaceDialog(const Catalogs& catalogs, QStringList takenNames, QWidget* parent)
    : QDialog(parent), catalogs_(catalogs), takenNames_(std::move(takenNames)) {
    setObjectName("ownPlaceDialog");
    setWindowTitle(tr("Add place"));
    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName("ownPlaceName");
    latitude_ = new QLineEdit(this);
    latitude_->setObjectName("ownPlaceLatitude");
    latitude_->setPlaceholderText(tr("e.g. 50.84 or 50° 50′ 12″ N"));
    longitude_ = new QLineEdit(this);
    longitude_->setObjectName("ownPlaceLongitude");
    longitude_->setPlaceholderText(tr("e.g. 12.85 or 12° 51′ 16″ E"));
    zone_ = new QComboBox(this);
    zone_->setObjectName("ownPlaceZone");
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) zone_->addItem(QString::fromUtf8(id));
    zone_->setCurrentIndex(zone_->findText(QStringLiteral("UTC")));
    zone_->setMaxVisibleItems(20);
    form->addRow(tr("&Name:"), name_);
    form->addRow(tr("&Latitude:"), latitude_);
    form->addRow(tr("L&ongitude:"), longitude_);
    form->addRow(tr("Time &zone:"), zone_);
    message_ = new QLabel(this);
    message_->setObjectName("ownPlaceMessage");
    message_->setWordWrap(true);
    message_->setStyleSheet(QStringLiteral("color: #b00000"));
    message_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OwnPlaceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OwnPlaceDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(message_);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 50);

    connect(latitude_, &QLineEdit::textChanged, this, &OwnPlaceDialog::followCoordinates);
    connect(longitude_, &QLineEdit::textChanged, this, &OwnPlaceDialog::followCoordinates);
    connect(zone_, &QComboBox::activated, this, [this] { zoneChosen_ = true; });
}

void OwnPlaceDialog::followCoordinates() {
    if (zoneChosen_) return;
    const ParsedCoordinate lat = ParseCoordinate(latitude_->text(), CoordinateAxis::kLatitude);
    const ParsedCoordinate lon = ParseCoordinate(longitude_->text(), CoordinateAxis::kLongitude);
    if (!lat.ok() || !lon.ok()) return;
    const int k = NearestPlace(catalogs_, lat.degrees, lon.degrees);
    if (k < 0) return;
    const int z = zone_->findText(QString::fromStdString(catalogs_.places[static_cast<std::size_t>(k)].zoneId));
    if (z >= 0) zone_->setCurrentIndex(z);
}

QString OwnPlaceDialog::problem() const {
    const QString name = name_->text().simplified();
    if (name.isEmpty()) return tr("Please enter a name for the place.");
    if (!StorableName(name)) return tr("The name can only use Western European letters.");
    for (const QString& taken : takenNames_)
        if (taken.compare(name, Qt::CaseInsensitive) == 0) return tr("A place named \"%1\" already exists.").arg(taken);
    // A listed place's other name ("Wien, A" beside "Vienna, A") would be read as that place.
    if (const int k = catalogs_.FindPlace(name.toStdString()); k >= 0)
        return tr("A place named \"%1\" already exists.")
            .arg(QString::fromStdString(catalogs_.places[static_cast<std::size_t>(k)].name));
    const ParsedCoordinate lat = ParseCoordinate(latitude_->text(), CoordinateAxis::kLatitude);
    if (!lat.ok()) return CoordinateProblem(lat.error, CoordinateAxis::kLatitude);
    const ParsedCoordinate lon = ParseCoordinate(longitude_->text(), CoordinateAxis::kLongitude);
    if (!lon.ok()) return CoordinateProblem(lon.error, CoordinateAxis::kLongitude);
    if (!ZoneStandardOffsetHours(zone_->currentText().toStdString())) return tr("Please choose a time zone.");
    return {};
}

std::optional<Place> OwnPlaceDialog::place() const {
    if (!problem().isEmpty()) return std::nullopt;
    return MakeOwnPlace(name_->text(), ParseCoordinate(latitude_->text(), CoordinateAxis::kLatitude).degrees,
                        ParseCoordinate(longitude_->text(), CoordinateAxis::kLongitude).degrees,
                        zone_->currentText().toStdString());
}

void OwnPlaceDialog::accept() {
    const QString text = problem();
    if (text.isEmpty()) {
        QDialog::accept();
        return;
    }
    message_->setText(text);
    message_->show();
}

}  // namespace noctaris
