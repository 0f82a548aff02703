// The program's icon: the windows show the picture of data/brondel.svg, the file that is
// installed for the desktop, also where the layer paints the picture itself.
#include "gui_test.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QWidget>

namespace {

constexpr int Grid = 48;

// The icon file holds whole-pixel rectangles only, which are painted here as any SVG renderer
// paints them.
QImage PictureOfIconFile(QString& problem) {
    QFile file(QStringLiteral(BRONDEL_DATA_DIR "/brondel.svg"));
    if (!file.open(QIODevice::ReadOnly)) {
        problem = "cannot read " + file.fileName();
        return {};
    }
    const QString svg = QString::fromUtf8(file.readAll());
    if (!svg.contains(QStringLiteral("viewBox=\"0 0 48 48\""))) problem = "not on a 48 x 48 grid";
    static const QRegularExpression others(QStringLiteral("<(path|circle|ellipse|line|poly|text)"));
    if (svg.contains(others)) problem = "holds shapes other than rectangles";
    static const QRegularExpression rect(QStringLiteral(
        R"re(<rect x="(\d+)" y="(\d+)" width="(\d+)" height="(\d+)" fill="#([0-9A-Fa-f]{6})"/>)re"));
    QImage picture(Grid, Grid, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    int shapes = 0;
    for (auto it = rect.globalMatch(svg); it.hasNext(); ++shapes) {
        const QRegularExpressionMatch m = it.next();
        painter.fillRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                         m.captured(4).toInt(), QColor("#" + m.captured(5)));
    }
    if (shapes == 0 || shapes != svg.count(QStringLiteral("<rect")))
        problem = "rectangles written another way";
    return picture;
}

TEST(Icon, WindowsShowThePictureOfTheInstalledIconFile) {
    QString problem;
    const QImage expected = PictureOfIconFile(problem);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();

    OpenTestWindow(300);
    const QIcon icon = static_cast<QWidget*>(WindowWidget(300))->windowIcon();
    ReleaseAll();
    ASSERT_FALSE(icon.isNull());
    const QImage shown =
        icon.pixmap(QSize(Grid, Grid), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), QSize(Grid, Grid));
    int different = 0;
    for (int y = 0; y < Grid; ++y)
        for (int x = 0; x < Grid; ++x)
            if (shown.pixel(x, y) != expected.pixel(x, y)) {
                if (++different <= 5)
                    ADD_FAILURE() << "icon pixel " << x << "," << y << " is " << std::hex
                                  << shown.pixel(x, y) << ", the file has " << expected.pixel(x, y);
            }
    EXPECT_EQ(different, 0);

    // Small sizes for title bars and task lists are there too, not scaled down at each use.
    for (int size : {16, 32})
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
}

} // namespace
