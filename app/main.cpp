#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("conccuentas"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Conciliación de Cuentas"));
    window.show();
    return app.exec();
}
