#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label("Zelvor Log Viewer");
    label.show();
    return app.exec();
}
