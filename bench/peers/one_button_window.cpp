// The peer of the editor's start-up: a Qt window of the editor's size with one labelled
// button, ended as soon as it has been painted once. With --gadgets it also holds as many
// plain Box buttons and check boxes as the editor's main window (98 and 175), laid out alike;
// with --canvas as well, a retained transparent image over them, as large as the window, with
// the Boxes filled on it: what the editor's gadgets and canvas alone cost Qt.
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
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

class Canvas : public QWidget {
  public:
    explicit Canvas(QWidget* window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(window->rect());
        image = QImage(size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(devicePixelRatioF());
        image.fill(Qt::transparent);
        QPainter painter(&image);
        for (int box = 0; box < 98; ++box)
            painter.fillRect(11 + box % 7 * 140, 11 + box / 7 * 48, 122, 37, Qt::lightGray);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.setClipRegion(event->region());
        painter.drawImage(QPoint(0, 0), image);
    }

  private:
    QImage image;
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
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gadgets") == 0) AddGadgets(&window);
        if (std::strcmp(argv[i], "--canvas") == 0) new Canvas(&window);
    }
    QPushButton button(QStringLiteral("Generate Chart"), &window);
    button.setGeometry(710, 690, 128, 18);
    window.show();
    return app.exec();
}
