#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Parlenko");
    QLabel label("Parlenko");
    label.setWindowTitle("Parlenko");
    label.show();
    return app.exec();
}
