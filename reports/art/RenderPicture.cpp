// Renders an SVG picture into the JPEG file the report templates name.
// Usage: kvx-render-picture IN.svg OUT.jpg

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "Usage: kvx-render-picture IN.svg OUT.jpg\n";
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        QTextStream(stderr) << "cannot read " << args.at(1) << '\n';
        return 1;
    }
    // JPEG has no transparency: the picture stands on white paper.
    QImage image(renderer.defaultSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(args.at(2), "JPG", 92)) {
        QTextStream(stderr) << "cannot write " << args.at(2) << '\n';
        return 1;
    }
    return 0;
}
