// The reference of bench/cold_start.sh: about the least a Qt Widgets program can show, a main
// window of the planetarium's size with a menu bar and one painted widget. With
// NOCTARIS_FIRST_PAINT_EXIT set it prints the time of its first paint (microseconds since the
// epoch) and ends, as the planetarium does.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

namespace {

class Painted : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 0, 40));
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Sky"));
        p.end();
        if (qEnvironmentVariableIsSet("NOCTARIS_FIRST_PAINT_EXIT")) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
            std::fflush(stdout);
            std::_Exit(0);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char* title : {"&File", "&View", "&Help"}) window.menuBar()->addMenu(title)->addAction("&Close", &window, &QWidget::close);
    window.setCentralWidget(new Painted);
    window.resize(1070, 751);
    window.show();
    return app.exec();
}
