// The peer of the editor's start-up: a Qt window of the editor's size with one labelled
// button, ended as soon as it has been painted once.
#include <QApplication>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace {

class Window : public QWidget {
  protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.setFixedSize(989, 715);
    QPushButton button(QStringLiteral("Generate Chart"), &window);
    button.setGeometry(710, 690, 128, 18);
    window.show();
    return app.exec();
}
