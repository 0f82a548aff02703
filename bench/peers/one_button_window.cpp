// The peer of the editor's start-up: a Qt window of the editor's size with one labelled
// button, ended as soon as it has been painted once. With --gadgets it also holds as many
// plain Box buttons and check boxes as the editor's main window (98 and 175), laid out alike:
// what the editor's gadgets alone cost Qt.
#include <QApplication>
#include <QCheckBox>
#include <QPaintEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace {

class Window : public QWidget {
  protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }
};

void AddGadgets(QWidget* window) {
    for (int box = 0; box < 98; ++box)
        (new QPushButton(window))->setGeometry(10 + box % 7 * 140, 10 + box / 7 * 48, 125, 40);
    for (int connector = 0; connector < 175; ++connector)
        (new QCheckBox(window))
            ->setGeometry(5 + connector % 14 * 70, 50 + connector / 14 * 48, 12, 12);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.setFixedSize(989, 715);
    if (argc > 1 && std::strcmp(argv[1], "--gadgets") == 0) AddGadgets(&window);
    QPushButton button(QStringLiteral("Generate Chart"), &window);
    button.setGeometry(710, 690, 128, 18);
    window.show();
    return app.exec();
}
