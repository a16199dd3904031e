// The red filter of night vision, as a graphics effect over a window's widgets.
#include <QGraphicsEffect>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "chart/palette.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

// Windows hold large light areas (maps, calendar sheets): dimmer than the chart's pictures.
constexpr double kWindowBrightness = 0.65;

class RedFilterEffect : public QGraphicsEffect {
public:
    using QGraphicsEffect::QGraphicsEffect;

protected:
    void draw(QPainter* painter) override {
        QPoint offset;
        const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::NoPad);
        if (source.isNull()) return;
        QImage image = source.toImage();
        ApplyRedFilter(image, kWindowBrightness);
        const QTransform saved = painter->worldTransform();
        painter->setWorldTransform(QTransform());
        painter->drawImage(offset, image);
        painter->setWorldTransform(saved);
    }
};

bool HoldsRedAlready(const QWidget* w) {
    if (w->property("nightRed").toBool()) return true;
    for (const QWidget* c : w->findChildren<QWidget*>())
        if (c->property("nightRed").toBool()) return true;
    return false;
}

void Filter(QWidget* w, bool on) {
    if (w->isWindow() || w->property("nightRed").toBool()) return;
    if (HoldsRedAlready(w)) {
        // The effect would filter the chart a second time: its neighbours get it instead.
        for (QWidget* c : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) Filter(c, on);
        return;
    }
    QGraphicsEffect* effect = w->graphicsEffect();
    if (on && !effect) w->setGraphicsEffect(new RedFilterEffect(w));
    if (!on && dynamic_cast<RedFilterEffect*>(effect)) w->setGraphicsEffect(nullptr);
}

}  // namespace

void SetRedFilter(QWidget* window, bool on) {
    if (!window) return;
    for (QWidget* c : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) Filter(c, on);
}

}  // namespace noctaris
