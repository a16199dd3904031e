#include "windows/planet_window.h"

#include "astro/ephemeris_table.h"

#include <cmath>
#include <exception>

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStringList>
#include <QtGlobal>

#include "astro/angles.h"
#include "chart/canvas.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

QString Crlf() { return QStringLiteral("\r\n"); }

// A memo shows its text with plain line breaks; the text itself keeps CR LF.
QString ForDisplay(QString text) { return text.replace(Crlf(), QStringLiteral("\n")); }

QFont VerdanaPx(int pixels, bool bold = false) {
    QFont f(ChartFontFamily());
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, int left, int top, int width,
                         int height) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setGeometry(left, top, width, height);
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setFont(VerdanaPx(11));
    memo->document()->setDocumentMargin(1);
    QPalette p = memo->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    memo->setPalette(p);
    return memo;
}

}  // namespace

std::string_view PlanetPictureName(std::string_view planet) {
    if (planet == "Mercury") return "pl1";
    if (planet == "Venus") return "pl2";
    if (planet == "Mars") return "pl4";
    if (planet == "Jupiter") return "pl5";
    if (planet == "Saturn") return "pl6";
    if (planet == "Uranus") return "pl7";
    return {};
}

double PlanetMomentJD(const PlanetSnapshot& s) {
    return LocalDateToJD(s.Year, s.Month, s.Day, s.TimeZone) + s.Hour / 24.0 + s.Minute / 1440.0 +
           s.Second / 86400.0;
}

QString DeclinationDegreeText(double decDegrees, double decMinutes) {
    QString text = FormatFixed(decDegrees, 0);
    if (decMinutes < 0 && !text.startsWith('-') && !text.startsWith(QLocale().negativeSign()))
        text.prepend('-');
    return text;
}

QString PlanetComputedBlock(const PlanetInfo& info) {
    const PlanetEphemerisRecord& r = info.Record;
    const long long t = LightTimeSeconds(r.Distance);
    const QString deg = QStringLiteral("%.2f°");
    QStringList lines;
    lines << "Heliocentric coordinates: lenght = " + Format(deg, {r.HelioLongitude}) +
                 ", width = " + Format(deg, {r.HelioLatitude});
    lines << "Radius vector " + Format("%.2f AU", {r.RadiusVector});
    lines << "Distance " + Format("%.2f AU", {r.Distance});
    lines << "Radiaded light " + Format("%d min %d s", {t / 60, t % 60});
    lines << "Geozentric coordinates: length = " + Format(deg, {r.GeoLongitude}) + ", width " +
                 Format(deg, {r.GeoLatitude});
    lines << "Equatorial coordinates: RA = " + Format("%.0f", {r.RAHours}) + "h " +
                 Format("%.1f min", {r.RAMinutes}) + ", DE = " +
                 DeclinationDegreeText(r.DecDegrees, r.DecMinutes) + "° " +
                 Format("%.1f", {std::fabs(r.DecMinutes)}) + "'";
    lines << "Diameter " + Format("%.2f", {r.Diameter}) + '"';
    lines << "Visual brightness " + Format("%.2fm", {r.Magnitude});
    lines << "Rise time " + QString::fromStdString(RiseSetText(info.Rise)) + " / Set time " +
                 QString::fromStdString(RiseSetText(info.Set));
    return lines.join(Crlf());
}

QString PlanetComputedBlock(const PlanetSnapshot& snapshot, const ObserverState& observer) {
    return PlanetComputedBlock(ComputePlanetInfo(snapshot.PlanetName, PlanetMomentJD(snapshot),
                                                 observer.Latitude, observer.Longitude,
                                                 snapshot.TimeZone));
}

QString PlanetDataBlock(std::string_view planet) {
    return QString::fromStdString(PlanetDataSection(PlanetDataText(), planet));
}

// ---- Window ---------------------------------------------------------------------------------

PlanetWindow::PlanetWindow(const PlanetSnapshot& snapshot, const ObserverState& observer, QWidget* parent)
    : QDialog(parent), snapshot_(snapshot), observer_(observer) {
    setObjectName(QStringLiteral("uplanet"));
    setWindowTitle(QStringLiteral("Information about planets"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(426, 302);
    setFont(VerdanaPx(12));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(12, 12);
    Image1->resize(0, 0);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(42, 136);
    Label1->setFont(VerdanaPx(12, true));
    QPalette lp = Label1->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    Label1->setPalette(lp);

    Memo2 = MakeMemo(this, "Memo2", 136, 12, 281, 161);
    Memo1 = MakeMemo(this, "Memo1", 12, 172, 413, 121);
    Memo3 = MakeMemo(this, "Memo3", 224, 8, 500, 89);
    Memo3->setPlainText(QString::fromStdString([] {
        std::string all;
        for (const std::string& line : PlanetDataText()) all += line + "\n";
        return all;
    }()));
    Memo3->hide();
}

void PlanetWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) FormActivate();
}

void PlanetWindow::FormActivate() {
    activated_ = true;
    try {
        Label1->setText(QString::fromStdString(snapshot_.PlanetName));
        Label1->adjustSize();

        const std::string_view picture = PlanetPictureName(snapshot_.PlanetName);
        if (!picture.empty()) {
            const QPixmap pixmap = QPixmap::fromImage(LoadPicture(picture));
            Image1->setPixmap(pixmap);
            Image1->resize(pixmap.size());
        }

        memo2Text_ = PlanetDataBlock(snapshot_.PlanetName);
        Memo2->setPlainText(ForDisplay(memo2Text_));

        memo1Text_ = PlanetComputedBlock(snapshot_, observer_);
        Memo1->setPlainText(ForDisplay(memo1Text_));
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
    }
}

void PlanetWindow::ShowError(const QString& text) { ReportFailure(this, QStringLiteral("Noctaris"), text); }

}  // namespace noctaris
