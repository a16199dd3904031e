// MainWindow: finding an object by name, the search field in the toolbar and Ctrl+F.
#include "app/main_window.h"

#include <cmath>

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringListModel>

#include "app/find_info_box.h"
#include "astro/time/local_time.h"

namespace noctaris {

QWidget* MainWindow::buildFindField(QWidget* toolbar) {
    findField_ = new QLineEdit(toolbar);
    findField_->setObjectName("findField");
    findField_->setPlaceholderText(tr("Find (Ctrl+F)"));
    findField_->setToolTip(tr("Find a star, planet, constellation or deep-sky object by name"));
    // The clear button asks the icon theme for its picture, which costs the start several
    // milliseconds; it shows over text only, so it comes with the first text.
    connect(findField_, &QLineEdit::textChanged, findField_, [this] { findField_->setClearButtonEnabled(true); },
            Qt::SingleShotConnection);
    findField_->setFixedWidth(findField_->fontMetrics().horizontalAdvance(QStringLiteral("Rigil Kentaurus")) + 40);
    // The index matches without case and accents and spells out Greek letters, so the
    // completer shows its list as it is instead of filtering it again.
    auto* completer = new QCompleter(new QStringListModel(findField_), findField_);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setMaxVisibleItems(12);
    completer->setWidget(findField_);  // not the field's own: that one would filter again
    connect(findField_, &QLineEdit::textEdited, this, [this, completer](const QString& text) {
        try {
            QStringList names;
            for (const std::string& n : objectIndex().Complete(text.toStdString())) names << QString::fromStdString(n);
            static_cast<QStringListModel*>(completer->model())->setStringList(names);
            if (names.isEmpty()) completer->popup()->hide();
            else completer->complete();
        } catch (const std::exception& e) {
            showError(QString::fromUtf8(e.what()));
        }
    });
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this, [this](const QString& name) {
        findField_->setText(name);
        findObject(name);
    });
    connect(findField_, &QLineEdit::returnPressed, this, [this, completer] {
        if (!completer->popup()->isVisible()) findObject(findField_->text());
    });
    auto* findAction = new QAction(this);
    findAction->setObjectName("findAction");
    findAction->setShortcut(QKeySequence::Find);
    connect(findAction, &QAction::triggered, this, [this] {
        findField_->setFocus(Qt::ShortcutFocusReason);
        findField_->selectAll();
    });
    addAction(findAction);

    // A deep-sky object on the chart tells what the search would tell about it.
    picker_.deepSkyInfo = [this](int number) {
        try {
            const FoundReport report = BuildFoundReport(objectIndex(), *catalogs_, {SkyObjectKind::DeepSky, number}, observer_);
            return report.title + QLatin1Char('\n') + report.lines.join(QLatin1Char('\n'));
        } catch (const std::exception& e) {  // the press handler lets nothing through
            return QString::fromUtf8(e.what());
        }
    };

    findInfo_ = new FindInfoBox(this);
    connect(findInfo_, &FindInfoBox::goToTime, this, &MainWindow::goToInstant);
    connect(findInfo_, &FindInfoBox::nameChosen, this, [this](const QString& name) {
        findField_->setText(name);
        findObject(name);
    });
    return findField_;
}

const ObjectIndex& MainWindow::objectIndex() {
    if (!objectIndex_) objectIndex_ = std::make_unique<ObjectIndex>(ObjectIndex::Build(*catalogs_));
    return *objectIndex_;
}

void MainWindow::findObject(const QString& typed) {
    try {
        if (typed.trimmed().isEmpty()) return;
        const ObjectIndex& index = objectIndex();
        const std::optional<SkyObjectRef> object = index.Find(typed.toStdString());
        chart_->foundMarker.object = object;
        if (!object) {
            QStringList closest;
            for (const std::string& n : index.Closest(typed.toStdString())) closest << QString::fromStdString(n);
            findInfo_->showUnknown(typed, closest);
            redraw();
            return;
        }
        const FoundReport report = BuildFoundReport(index, *catalogs_, *object, observer_);
        const FoundPlace place = PlaceFoundObject(*catalogs_, *object, MakeChartFrame(observer_, 0, 0, 0), observer_);
        findInfo_->showReport(report);
        faceSkyPoint(place.azimuth, place.altitude);
        redraw();
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    }
}

void MainWindow::faceSkyPoint(double azimuthDeg, double altitudeDeg) {
    // The view counts azimuth from the south through the west, -180..180.
    const double fromSouth = std::remainder(azimuthDeg - 180.0, 360.0);
    if (!std::isfinite(fromSouth) || !std::isfinite(altitudeDeg)) return;
    // The whole half-sky shows up to about 70 degrees: an object below 60 is faced by turning
    // alone; a higher one, or any in a zoomed view, gets the view centred on it.
    constexpr double kHighestTurnedTo = 60;
    if (view_.IsDefaultZoom() && altitudeDeg < kHighestTurnedTo) {
        int degrees = static_cast<int>(std::nearbyint(fromSouth));
        if (degrees < -180) degrees += 360;
        if (degrees > 180) degrees -= 360;
        setViewAzimuth(degrees);
        return;
    }
    lookAt(fromSouth, altitudeDeg, std::nullopt);
}

void MainWindow::goToInstant(double jdUT) {
    const std::optional<CivilDateTime> local = LocalFromInstant(Instant::FromUT(jdUT), ChartZone(observer_));
    if (!local) return;
    setNowMode(false);
    if (animation_.AnimationRunning) stopAnimation();
    observer_.Year = local->date.year;
    observer_.Month = local->date.month;
    observer_.Day = local->date.day;
    observer_.Hour = local->time.hour;
    observer_.Minute = local->time.minute;
    observer_.Second = local->time.second;
    showChartMoment();
    try {
        // The box and the view follow the marked object to the new moment.
        if (const std::optional<SkyObjectRef> object = chart_->foundMarker.object) {
            findInfo_->showReport(BuildFoundReport(objectIndex(), *catalogs_, *object, observer_));
            const FoundPlace place = PlaceFoundObject(*catalogs_, *object, MakeChartFrame(observer_, 0, 0, 0), observer_);
            faceSkyPoint(place.azimuth, place.altitude);
        }
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));
    }
    redraw();
}

}  // namespace noctaris
