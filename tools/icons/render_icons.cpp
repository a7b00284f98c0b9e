// Renders the program's SVG icon into the PNG sizes of the desktop's icon theme:
// render_icons ICON.svg OUTPUT_FOLDER writes OUTPUT_FOLDER/<n>x<n>/de.kugelwerk.Kugelwerk.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "Aufruf: render_icons ICON.svg ORDNER\n");
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "%s ist kein lesbares SVG-Bild.\n", argv[1]);
    return 1;
  }
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    const QString folder = QStringLiteral("%1/%2x%2").arg(QString::fromLocal8Bit(argv[2])).arg(size);
    QDir().mkpath(folder);
    if (!image.save(folder + QStringLiteral("/de.kugelwerk.Kugelwerk.png"))) return 1;
  }
  return 0;
}
